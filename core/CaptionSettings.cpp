#include "core/CaptionSettings.h"

#include "core/CaptionColors.h"
#include "core/DateTimeFormat.h"
#include "core/Helpers.h"
#include "core/MessageBox.h"
#include "core/PictureCaption.h"
#include "core/SettingsStore.h"

#include <QFontDatabase>

namespace {

constexpr int kDateFormatCount = 7;

} // namespace

CaptionSettings::CaptionSettings(SettingsStore& store, CaptionChoices& choices, PictureCaptions& captions)
    : store_(store), record_(store.Record()), choices_(choices), captions_(captions) {}

int CaptionSettings::RowIn(const QStringList& list, int row) {
    return row >= 0 && row < list.size() ? row : -1;
}

void CaptionSettings::Changed() {
    if (changed_)
        changed_();
}

bool CaptionSettings::CaptionsActionClick(bool camera1Previewing, bool camera2Previewing) {
    if (!camera1Previewing && !camera2Previewing) {
        ShowMessageBox(kCameraOffText);
        return false;
    }
    const int camera = camera1Previewing ? 1 : 2;
    if (views_.imageBitmap) {
        const QImage frame = views_.imageBitmap(camera);
        if (!frame.isNull())
            preview_.SetImage(frame);
    }
    return true;
}

void CaptionSettings::PrepareShowDialog() {
    LoadFromSettings();
    if (record_.CaptionBackColor == record_.CaptionTextColor) {
        record_.CaptionBackColor = 1;
        record_.CaptionTextColor = 3;
    }
}

void CaptionSettings::FillColorLists() {
    colorCombos_.clear();
    for (const CaptionColorPreset& preset : CaptionColorPresets())
        colorCombos_ << QString::fromLatin1(preset.text);
    fontColor_ = CaptionColorNames();
    backColor_ = CaptionColorNames();
    choices_.presetRow = -1;
    choices_.fontColorRow = -1;
    choices_.backColorRow = -1;
}

void CaptionSettings::ApplyColorPreset() {
    const auto& presets = CaptionColorPresets();
    const int preset = record_.CaptionColorPreset;
    if (preset < 0 || preset >= int(presets.size()))
        return;
    choices_.presetRow = RowIn(colorCombos_, preset);
    record_.CaptionTextColor = static_cast<qint16>(presets[preset].textColor);
    record_.CaptionBackColor = static_cast<qint16>(presets[preset].backColor);
    record_.CaptionTransparent = presets[preset].transparent;
    record_.CaptionTransparent2 = presets[preset].transparent;
    SetTransparentBox(presets[preset].transparent);
}

void CaptionSettings::LoadFromSettings() {
    fontList_.clear();
    fontSizeList_.clear();
    formatList_.clear();
    choices_.fontRow = choices_.fontSizeRow = choices_.formatRow = -1;
    FillColorLists();
    ApplyColorPreset();
    for (int i = 0; i < kDateFormatCount; ++i)
        formatList_ << DateFormatByIndex(i);
    fontList_ = QFontDatabase::families();
    fontSizeList_ = CaptionFontSizes();

    if (IsCaptionColorIndex(record_.CaptionTextColor))
        choices_.fontColorRow = record_.CaptionTextColor;
    if (IsCaptionColorIndex(record_.CaptionBackColor))
        choices_.backColorRow = record_.CaptionBackColor;
    choices_.fontRow = fontList_.indexOf(record_.CaptionFontName);
    for (int i = 0; i < fontSizeList_.size(); ++i)
        if (SafeStrToInt(fontSizeList_[i]) == record_.CaptionFontSize)
            choices_.fontSizeRow = i;
    choices_.formatRow = RowIn(formatList_, record_.DateFormatIndex);
    SelectLayout(!record_.ClassicCaption);
    Changed();
}

void CaptionSettings::SelectLayout(bool topRight) {
    // Selecting a radio button from code runs its click, as a user's click would.
    choices_.topRight = topRight;
    choices_.classicCaption = !topRight;
    record_.CaptionTopRight = topRight;
    record_.ClassicCaption = !topRight;
    ApplyChoices();
}

void CaptionSettings::StoreFontAndFormat() {
    // Captions are always drawn in the fixed-pitch face, whatever the list shows.
    record_.CaptionFontName = kCaptionFontName;
    if (RowIn(fontSizeList_, choices_.fontSizeRow) >= 0)
        record_.CaptionFontSize = static_cast<qint16>(SafeStrToInt(fontSizeList_[choices_.fontSizeRow]));
    if (RowIn(formatList_, choices_.formatRow) >= 0)
        record_.DateFormatIndex = choices_.formatRow;
}

void CaptionSettings::PickRow(int& choice, const QStringList& list, int row) {
    choice = RowIn(list, row);
    ApplyChoices();
}

void CaptionSettings::ApplyChoices() {
    if (!visible_)
        return;
    StoreFontAndFormat();
    preview_.FillRect(0, 0, preview_.Width(), preview_.Height());
    for (int camera : {1, 2}) {
        if (views_.isPreviewing && views_.isPreviewing(camera)) {
            const QImage frame = views_.imageBitmap ? views_.imageBitmap(camera) : QImage();
            if (!frame.isNull())
                preview_.SetImage(frame);
            break;
        }
    }
    // The preview always shows camera 1's location.
    if (!record_.TvOut)
        captions_.DrawPictureCaption(preview_, 1);
    Changed();
}

void CaptionSettings::TopRightClick() {
    SelectLayout(true);
}

void CaptionSettings::ClassicCaptionClick() {
    SelectLayout(false);
}

void CaptionSettings::ColorCombosClick(int row) {
    if (RowIn(colorCombos_, row) < 0)
        return;
    choices_.presetRow = row;
    record_.CaptionColorPreset = static_cast<qint16>(row);
    ApplyColorPreset();
    LoadFromSettings();
    ApplyChoices();
}

void CaptionSettings::FontColorClick(int row) {
    PickRow(choices_.fontColorRow, fontColor_, row);
}

void CaptionSettings::BackColorClick(int row) {
    PickRow(choices_.backColorRow, backColor_, row);
}

void CaptionSettings::FontListClick(int row) {
    PickRow(choices_.fontRow, fontList_, row);
}

void CaptionSettings::FontSizeListClick(int row) {
    PickRow(choices_.fontSizeRow, fontSizeList_, row);
}

void CaptionSettings::FormatListClick(int row) {
    PickRow(choices_.formatRow, formatList_, row);
}

void CaptionSettings::TransparentBoxClick(bool checked) {
    choices_.transparent = checked;
    ApplyChoices();
}

void CaptionSettings::SetTransparentBox(bool checked) {
    if (choices_.transparent == checked)
        return;
    TransparentBoxClick(checked);
}

void CaptionSettings::OverVideoClick() {
    ApplyChoices();
}

void CaptionSettings::FormActivate() {
    LoadFromSettings();
    ApplyChoices();
}

void CaptionSettings::HideButtonClick() {
    record_.CaptionTopRight = choices_.topRight;
    record_.ClassicCaption = choices_.classicCaption;
    if (RowIn(fontColor_, choices_.fontColorRow) >= 0)
        record_.CaptionTextColor = static_cast<qint16>(choices_.fontColorRow);
    if (RowIn(backColor_, choices_.backColorRow) >= 0)
        record_.CaptionBackColor = static_cast<qint16>(choices_.backColorRow);
    StoreFontAndFormat();
    if (RowIn(colorCombos_, choices_.presetRow) >= 0)
        record_.CaptionColorPreset = static_cast<qint16>(choices_.presetRow);
    if (gatherAndSave_)
        gatherAndSave_();
    else
        store_.SaveSettings();
    visible_ = false;
    Changed();
}

QString CaptionSettings::FormatRowText(int row, const QDateTime& now) const {
    if (RowIn(formatList_, row) < 0)
        return QString();
    return FormatDateTime(formatList_[row], now);
}
