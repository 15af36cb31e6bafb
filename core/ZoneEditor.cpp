#include "core/ZoneEditor.h"

#include "core/Helpers.h"
#include "core/SettingsRecord.h"

#include <algorithm>

namespace {

constexpr qint32 kSizeInsteadOfNegative = 50;
constexpr int kHelpTopic = 1;

const ZoneWindowTraits kCamera1{
    .camera = 1,
    .wideCorner = true,
    .keepsShortCopies = true,
    .negativeSizeBecomes50 = false,
    .refreshOnActivate = true,
    .enterRunsPass = false,
    .arrowTakesCornerFirst = false,
    .refreshAfterArrow = true,
    .f1 = ZoneKeyAction::SwitchViewAndClose,
    .f2 = ZoneKeyAction::Nothing,
};

const ZoneWindowTraits kCamera2{
    .camera = 2,
    .wideCorner = false,
    .keepsShortCopies = false,
    .negativeSizeBecomes50 = true,
    .refreshOnActivate = false,
    .enterRunsPass = true,
    .arrowTakesCornerFirst = true,
    .refreshAfterArrow = false,
    .f1 = ZoneKeyAction::HelpTopic1,
    .f2 = ZoneKeyAction::SwitchViewAndClose,
};

qint32 Short(const QString& text) { return qint16(SafeStrToInt(text)); }

} // namespace

QStringList MillisecondsComboTexts() {
    QStringList texts;
    for (int i = 1; i <= 60; ++i)
        texts << QString::number(200 * i);
    return texts;
}

const ZoneWindowTraits& ZoneWindowTraits::ForCamera(int camera) { return camera == 2 ? kCamera2 : kCamera1; }

ZoneEditor::ZoneEditor(int camera, SettingsRecord& record, ZoneRect* zone, ZoneEditorHooks hooks)
    : traits_(ZoneWindowTraits::ForCamera(camera)), record_(record), zone_(zone ? zone : &ownZone_),
      hooks_(std::move(hooks)) {
    texts_.sizeEdit = QString::number(kZoneTrackMin);
    if (traits_.camera == 2) {
        zone_->top = 10;
        zone_->left = 0;
    }
}

void ZoneEditor::UseZone(ZoneRect* zone) {
    ZoneRect* target = zone ? zone : &ownZone_;
    if (target == zone_)
        return;
    *target = *zone_;
    zone_ = target;
}

void ZoneEditor::RefreshZone() {
    if (traits_.wideCorner) {
        zone_->left = SafeStrToInt(texts_.leftEdit);
        zone_->top = SafeStrToInt(texts_.topEdit);
    } else {
        zone_->left = Short(texts_.leftEdit);
        zone_->top = Short(texts_.topEdit);
    }
    zone_->size = Short(texts_.sizeEdit);
    if (traits_.negativeSizeBecomes50 && zone_->size < 0)
        zone_->size = kSizeInsteadOfNegative;
}

void ZoneEditor::RefreshZoneAndCopies() {
    RefreshZone();
    if (traits_.keepsShortCopies)
        shortCopies_ = {qint16(zone_->left), qint16(zone_->top), qint16(zone_->size)};
}

void ZoneEditor::SetValues(const ZoneEditValues& values) {
    texts_.sizeEdit = values.sizeEdit;
    LeftEditChanged(values.leftEdit);
    TopEditChanged(values.topEdit);
    texts_.sensitivityCombo = values.sensitivityCombo;
}

void ZoneEditor::LeftEditChanged(const QString& text) {
    texts_.leftEdit = text;
    CornerChanged();
}

void ZoneEditor::TopEditChanged(const QString& text) {
    texts_.topEdit = text;
    CornerChanged();
}

void ZoneEditor::SensitivityComboChanged(const QString& text) {
    texts_.sensitivityCombo = text;
    qint16& sensitivity = traits_.camera == 2 ? record_.Sensitivity2 : record_.Sensitivity1;
    sensitivity = qint16(SafeStrToInt(TrimText(text)));
}

void ZoneEditor::SetTrackBarPosition(int position) {
    position = std::clamp(position, kZoneTrackMin, kZoneTrackMax);
    if (position == trackBar_)
        return;
    trackBar_ = position;
    TrackBarChanged();
}

void ZoneEditor::TrackBarChanged() {
    texts_.sizeEdit = QString::number(trackBar_);
    zone_->size = trackBar_;
    (traits_.camera == 2 ? record_.Zone2Size : record_.Zone1Size) = qint16(trackBar_);
}

QSize ZoneEditor::PictureSize() const { return hooks_.PictureSize ? hooks_.PictureSize() : QSize(); }

ZoneFocus ZoneEditor::Activate() {
    SetTrackBarPosition(traits_.camera == 2 ? record_.Zone2Size : record_.Zone1Size);
    Call(hooks_.EnableMotionTime);
    if (traits_.refreshOnActivate)
        RefreshZoneAndCopies();
    if (target_)
        Call(hooks_.DetectorPass);
    return ZoneFocus::keyFocusEdit;
}

ZoneKeyOutcome ZoneEditor::KeyDown(ZoneKey key) {
    ZoneKeyOutcome outcome;
    const auto act = [&](ZoneKeyAction action) {
        switch (action) {
        case ZoneKeyAction::Nothing:
            break;
        case ZoneKeyAction::SwitchViewAndClose:
            Call(hooks_.SetViewSwitchRequest);
            outcome = {true, true, ZoneFocus::Keep};
            break;
        case ZoneKeyAction::HelpTopic1:
            if (hooks_.ShowHelp)
                hooks_.ShowHelp(kHelpTopic);
            outcome.handled = true;
            break;
        }
    };
    switch (key) {
    case ZoneKey::Escape:
        return {true, true, ZoneFocus::Keep};
    case ZoneKey::F1:
        act(traits_.f1);
        return outcome;
    case ZoneKey::F2:
        act(traits_.f2);
        return outcome;
    case ZoneKey::Other:
        return outcome;
    case ZoneKey::Left:
    case ZoneKey::Up:
    case ZoneKey::Right:
    case ZoneKey::Down:
        break;
    }

    if (traits_.arrowTakesCornerFirst) {
        zone_->left = Short(texts_.leftEdit);
        zone_->top = Short(texts_.topEdit);
    }
    // The corner may pass zero by less than a step; the far guard keeps a step inside the
    // picture. Sums in 64 bits: typed numbers may sit at the ends of the range.
    const QSize picture = PictureSize();
    const qint64 left = SafeStrToInt(texts_.leftEdit);
    const qint64 top = SafeStrToInt(texts_.topEdit);
    switch (key) {
    case ZoneKey::Left:
        if (left > 0)
            LeftEditChanged(QString::number(left - kZoneStep));
        break;
    case ZoneKey::Up:
        if (top > 0)
            TopEditChanged(QString::number(top - kZoneStep));
        break;
    case ZoneKey::Right:
        if (left < qint64(picture.width()) - kZoneStep)
            LeftEditChanged(QString::number(left + kZoneStep));
        break;
    case ZoneKey::Down:
        if (top < qint64(picture.height()) - kZoneStep)
            TopEditChanged(QString::number(top + kZoneStep));
        break;
    default:
        break;
    }
    if (traits_.refreshAfterArrow)
        RefreshZoneAndCopies();
    Call(hooks_.DetectorPass);
    return {true, false, ZoneFocus::keyFocusEdit};
}

void ZoneEditor::KeyUp() { Call(hooks_.EnableMotionTime); }

ZoneFocus ZoneEditor::Enter(ZoneEdit edit) {
    if (edit == ZoneEdit::sizeEdit)
        return ZoneFocus::topEdit;
    if (traits_.enterRunsPass)
        Call(hooks_.DetectorPass);
    else
        RefreshZoneAndCopies();
    return edit == ZoneEdit::topEdit ? ZoneFocus::leftEdit : ZoneFocus::topEdit;
}

void ZoneEditor::Deactivate() {
    target_ = false;
    Call(hooks_.RestoreFullView);
}
