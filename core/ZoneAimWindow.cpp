#include "core/ZoneAimWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QSlider>
#include <QWindow>

namespace {

constexpr int kClientWidth = 447;
constexpr int kPictureHeight = 296;
constexpr int kClientHeight = 362;
constexpr int kHintLeft = 150;
constexpr int kFocusLeft = -500;

const QString kHintText = QStringLiteral("Arrow keys adjust");

// Hidden box that keeps a black rectangle ready behind the picture.
class BlackBox : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(QRect(QPoint(5, 5), QPoint(340 - 1, 270 - 1)), Qt::black);
    }
};

ZoneKey KeyOf(int key) {
    switch (key) {
    case Qt::Key_Left:
        return ZoneKey::Left;
    case Qt::Key_Up:
        return ZoneKey::Up;
    case Qt::Key_Right:
        return ZoneKey::Right;
    case Qt::Key_Down:
        return ZoneKey::Down;
    case Qt::Key_Escape:
        return ZoneKey::Escape;
    case Qt::Key_F1:
        return ZoneKey::F1;
    case Qt::Key_F2:
        return ZoneKey::F2;
    default:
        return ZoneKey::Other;
    }
}

QLabel* WhiteLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(p);
    return label;
}

} // namespace

void FillMillisecondsCombo(QComboBox* combo) {
    combo->clear();
    combo->addItems(MillisecondsComboTexts());
}

ZonePicture::ZonePicture(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void ZonePicture::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void ZonePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(rect(), picture_);
}

ZoneAimWindow::ZoneAimWindow(int camera, SettingsRecord& record, ZoneWindowParts parts)
    : QDialog(nullptr, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), editor_(camera, record) {
    BindStation(std::move(parts));
    setObjectName(camera == 2 ? QStringLiteral("Camera2ZoneWindow") : QStringLiteral("Camera1ZoneWindow"));
    setWindowTitle(camera == 2 ? QStringLiteral("Aim 2") : QStringLiteral("Aim 1"));
    BuildControls();
    Bind();
    ShowEditorState();
}

void ZoneAimWindow::BindStation(ZoneWindowParts parts) {
    parts_ = std::move(parts);
    if (!parts_.main)
        parts_.main = &NullMainWindowLink::Instance();
    if (!parts_.layout)
        parts_.layout = &NullLayoutLink::Instance();
    editor_.UseZone(parts_.zone);
}

void ZoneAimWindow::BuildControls() {
    setFixedSize(kClientWidth, kClientHeight);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    livePicture = new ZonePicture(this);
    livePicture->setObjectName(QStringLiteral("livePicture"));
    livePicture->setGeometry(0, 0, kClientWidth, kPictureHeight);
    zonePicture = new ZonePicture(this);
    zonePicture->setObjectName(QStringLiteral("zonePicture"));
    zonePicture->setGeometry(0, 0, kZoneImageWidth, kZoneImageHeight);
    zonePicture->hide();
    previousZonePicture = new ZonePicture(this);
    previousZonePicture->setObjectName(QStringLiteral("previousZonePicture"));
    previousZonePicture->setGeometry(0, 0, kZoneImageWidth, kZoneImageHeight);
    previousZonePicture->hide();
    blackBackdrop = new BlackBox(this);
    blackBackdrop->setObjectName(QStringLiteral("blackBackdrop"));
    blackBackdrop->setGeometry(2, 5, kClientWidth - 10, 270);
    blackBackdrop->hide();

    const int row1 = kPictureHeight + 6;
    const int row2 = row1 + 30;
    keyFocusEdit = new QLineEdit(this);
    keyFocusEdit->setObjectName(QStringLiteral("keyFocusEdit"));
    keyFocusEdit->setGeometry(kFocusLeft, row1, 40, 22);
    targetBox = new QCheckBox(this);
    targetBox->setObjectName(QStringLiteral("targetBox"));
    targetBox->hide();
    sizeEdit = new QLineEdit(this);
    sizeEdit->setObjectName(QStringLiteral("sizeEdit"));
    sizeEdit->hide();

    WhiteLabel(QStringLiteral("Top"), this)->move(8, row1 + 3);
    topEdit = new QLineEdit(this);
    topEdit->setObjectName(QStringLiteral("topEdit"));
    topEdit->setGeometry(38, row1, 56, 22);
    WhiteLabel(QStringLiteral("Left"), this)->move(104, row1 + 3);
    leftEdit = new QLineEdit(this);
    leftEdit->setObjectName(QStringLiteral("leftEdit"));
    leftEdit->setGeometry(136, row1, 56, 22);
    WhiteLabel(QStringLiteral("Sensitivity"), this)->move(204, row1 + 3);
    sensitivityCombo = new QComboBox(this);
    sensitivityCombo->setObjectName(QStringLiteral("sensitivityCombo"));
    sensitivityCombo->setEditable(true);
    sensitivityCombo->setGeometry(276, row1, 100, 22);
    FillMillisecondsCombo(sensitivityCombo);

    sizeTrackBar = new QSlider(Qt::Horizontal, this);
    sizeTrackBar->setObjectName(QStringLiteral("sizeTrackBar"));
    sizeTrackBar->setRange(kZoneTrackMin, kZoneTrackMax);
    sizeTrackBar->setGeometry(8, row2, 134, 24);
    hintLabel = WhiteLabel(kHintText, this);
    hintLabel->setObjectName(QStringLiteral("hintLabel"));
    hintLabel->move(kHintLeft, row2 + 4);

    // The window sees every key before the control with the focus does.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void ZoneAimWindow::Bind() {
    ZoneEditorHooks& h = editor_.Hooks();
    h.DetectorPass = [this] {
        if (parts_.DetectorPass)
            parts_.DetectorPass();
    };
    h.PictureSize = [this] { return parts_.Picture ? parts_.Picture().size() : livePicture->Picture().size(); };
    h.EnableMotionTime = [this] { parts_.main->SetMotionTimeRunning(true); };
    h.SetViewSwitchRequest = [this] { parts_.main->SetViewSwitchRequest(1); };
    h.ShowHelp = [this](int topic) { parts_.main->ShowHelp(topic); };
    h.RestoreFullView = [this] { parts_.layout->RestoreFullView(); };

    connect(topEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!syncing_)
            editor_.TopEditChanged(text);
    });
    connect(leftEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!syncing_)
            editor_.LeftEditChanged(text);
    });
    connect(sizeEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!syncing_)
            editor_.SizeEditChanged(text);
    });
    connect(sensitivityCombo, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (!syncing_)
            editor_.SensitivityComboChanged(text);
    });
    connect(sizeTrackBar, &QSlider::valueChanged, this, [this](int position) {
        if (syncing_)
            return;
        editor_.SetTrackBarPosition(position);
        ShowEditorState();
    });
    const auto enter = [this](ZoneEdit edit) {
        MoveFocus(editor_.Enter(edit));
        AfterStep();
    };
    connect(topEdit, &QLineEdit::returnPressed, this, [enter] { enter(ZoneEdit::topEdit); });
    connect(leftEdit, &QLineEdit::returnPressed, this, [enter] { enter(ZoneEdit::leftEdit); });
    connect(sizeEdit, &QLineEdit::returnPressed, this, [enter] { enter(ZoneEdit::sizeEdit); });
}

void ZoneAimWindow::ShowEditorState() {
    syncing_ = true;
    const ZoneEditValues& texts = editor_.Texts();
    const auto put = [](QLineEdit* edit, const QString& text) {
        if (edit->text() != text)
            edit->setText(text);
    };
    put(topEdit, texts.topEdit);
    put(leftEdit, texts.leftEdit);
    put(sizeEdit, texts.sizeEdit);
    if (sensitivityCombo->currentText() != texts.sensitivityCombo)
        sensitivityCombo->setEditText(texts.sensitivityCombo);
    sizeTrackBar->setValue(editor_.TrackBarPosition());
    targetBox->setChecked(editor_.Target());
    syncing_ = false;
}

void ZoneAimWindow::AfterStep() {
    ShowEditorState();
    RefreshPicture();
}

void ZoneAimWindow::RefreshPicture() {
    if (parts_.Picture)
        livePicture->SetPicture(parts_.Picture());
}

void ZoneAimWindow::MoveFocus(ZoneFocus where) {
    switch (where) {
    case ZoneFocus::Keep:
        break;
    case ZoneFocus::keyFocusEdit:
        keyFocusEdit->setFocus();
        break;
    case ZoneFocus::leftEdit:
        leftEdit->setFocus();
        break;
    case ZoneFocus::topEdit:
        topEdit->setFocus();
        break;
    }
}

void ZoneAimWindow::SetZoneValues(const ZoneEditValues& values) {
    editor_.SetValues(values);
    ShowEditorState();
}

void ZoneAimWindow::SetSensitivityText(const QString& text) {
    editor_.SetSensitivityText(text);
    ShowEditorState();
}

void ZoneAimWindow::SetTargetTicked(bool ticked) {
    editor_.SetTarget(ticked);
    ShowEditorState();
}

void ZoneAimWindow::ShowModal() { exec(); }

void ZoneAimWindow::FormActivate() {
    deactivated_ = false;
    keyFocusEdit->move(kFocusLeft, keyFocusEdit->y());
    blackBackdrop->setGeometry(2, 5, width() - 10, blackBackdrop->height());
    if (Camera() == 1 && geometrySource_)
        livePicture->setGeometry(geometrySource_->geometry());
    hintLabel->setText(kHintText);
    MoveFocus(editor_.Activate());
    AfterStep();
    hintLabel->move(kHintLeft, hintLabel->y());
    if (Camera() == 2) {
        zonePicture->hide();
        previousZonePicture->hide();
        blackBackdrop->hide();
    }
}

void ZoneAimWindow::FormDeactivate() {
    deactivated_ = true;
    editor_.Deactivate();
    ShowEditorState();
}

bool ZoneAimWindow::KeyDown(int key) {
    const ZoneKeyOutcome outcome = editor_.KeyDown(KeyOf(key));
    if (!outcome.handled)
        return false;
    AfterStep();
    MoveFocus(outcome.focus);
    if (outcome.close)
        reject();
    return true;
}

bool ZoneAimWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && KeyDown(static_cast<QKeyEvent*>(event)->key()))
        return true;
    if (event->type() == QEvent::KeyRelease)
        editor_.KeyUp();
    return QDialog::eventFilter(watched, event);
}

bool ZoneAimWindow::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (KeyDown(static_cast<QKeyEvent*>(event)->key()))
            return true;
        break;
    case QEvent::KeyRelease:
        editor_.KeyUp();
        break;
    case QEvent::WindowActivate:
        if (isVisible())
            FormActivate();
        break;
    case QEvent::WindowDeactivate: {
        // Another window of the station takes over; a switch to another program (no
        // active window of ours) is not a deactivation.
        QWidget* active = QApplication::activeWindow();
        if (isVisible() && !deactivated_ && active && active != this && !isAncestorOf(active))
            FormDeactivate();
        break;
    }
    default:
        break;
    }
    return QDialog::event(event);
}

void ZoneAimWindow::done(int result) {
    // Closing ends the aiming even when the window never became active.
    if (!deactivated_ || editor_.Target())
        FormDeactivate();
    QDialog::done(result);
}

void ZoneAimWindow::showEvent(QShowEvent* event) {
    // Kept above the main window without being its child, so its owner alone deletes it.
    QWidget* main = parts_.main->Window();
    if (main && windowHandle() && main->window()->windowHandle())
        windowHandle()->setTransientParent(main->window()->windowHandle());
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}
