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
    setObjectName(camera == 2 ? QStringLiteral("Form1") : QStringLiteral("Form2"));
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

    Image1 = new ZonePicture(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, kClientWidth, kPictureHeight);
    Image2 = new ZonePicture(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(0, 0, kZoneImageWidth, kZoneImageHeight);
    Image2->hide();
    Image3 = new ZonePicture(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(0, 0, kZoneImageWidth, kZoneImageHeight);
    Image3->hide();
    PaintBox1 = new BlackBox(this);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setGeometry(2, 5, kClientWidth - 10, 270);
    PaintBox1->hide();

    const int row1 = kPictureHeight + 6;
    const int row2 = row1 + 30;
    focus = new QLineEdit(this);
    focus->setObjectName(QStringLiteral("focus"));
    focus->setGeometry(kFocusLeft, row1, 40, 22);
    Target = new QCheckBox(this);
    Target->setObjectName(QStringLiteral("Target"));
    Target->hide();
    scales = new QLineEdit(this);
    scales->setObjectName(QStringLiteral("scales"));
    scales->hide();

    WhiteLabel(QStringLiteral("Top"), this)->move(8, row1 + 3);
    calTop = new QLineEdit(this);
    calTop->setObjectName(QStringLiteral("calTop"));
    calTop->setGeometry(38, row1, 56, 22);
    WhiteLabel(QStringLiteral("Left"), this)->move(104, row1 + 3);
    CalLeft = new QLineEdit(this);
    CalLeft->setObjectName(QStringLiteral("CalLeft"));
    CalLeft->setGeometry(136, row1, 56, 22);
    WhiteLabel(QStringLiteral("Sensitivity"), this)->move(204, row1 + 3);
    Sensitivity = new QComboBox(this);
    Sensitivity->setObjectName(QStringLiteral("Sensitivity"));
    Sensitivity->setEditable(true);
    Sensitivity->setGeometry(276, row1, 100, 22);
    FillMillisecondsCombo(Sensitivity);

    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(kZoneTrackMin, kZoneTrackMax);
    TrackBar1->setGeometry(8, row2, 134, 24);
    Hint = WhiteLabel(kHintText, this);
    Hint->setObjectName(Camera() == 2 ? QStringLiteral("Label5") : QStringLiteral("Label4"));
    Hint->move(kHintLeft, row2 + 4);

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
    h.PictureSize = [this] { return parts_.Picture ? parts_.Picture().size() : Image1->Picture().size(); };
    h.EnableMotionTime = [this] { parts_.main->SetMotionTimeRunning(true); };
    h.SetViewSwitchRequest = [this] { parts_.main->SetViewSwitchRequest(1); };
    h.ShowHelp = [this](int topic) { parts_.main->ShowHelp(topic); };
    h.RestoreFullView = [this] { parts_.layout->RestoreFullView(); };

    connect(calTop, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!syncing_)
            editor_.EditCalTop(text);
    });
    connect(CalLeft, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!syncing_)
            editor_.EditCalLeft(text);
    });
    connect(scales, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!syncing_)
            editor_.EditScales(text);
    });
    connect(Sensitivity, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (!syncing_)
            editor_.EditSensitivity(text);
    });
    connect(TrackBar1, &QSlider::valueChanged, this, [this](int position) {
        if (syncing_)
            return;
        editor_.SetTrackBarPosition(position);
        ShowEditorState();
    });
    const auto enter = [this](ZoneEdit edit) {
        MoveFocus(editor_.Enter(edit));
        AfterStep();
    };
    connect(calTop, &QLineEdit::returnPressed, this, [enter] { enter(ZoneEdit::calTop); });
    connect(CalLeft, &QLineEdit::returnPressed, this, [enter] { enter(ZoneEdit::CalLeft); });
    connect(scales, &QLineEdit::returnPressed, this, [enter] { enter(ZoneEdit::scales); });
}

void ZoneAimWindow::ShowEditorState() {
    syncing_ = true;
    const ZoneEditValues& texts = editor_.Texts();
    const auto put = [](QLineEdit* edit, const QString& text) {
        if (edit->text() != text)
            edit->setText(text);
    };
    put(calTop, texts.calTop);
    put(CalLeft, texts.CalLeft);
    put(scales, texts.scales);
    if (Sensitivity->currentText() != texts.Sensitivity)
        Sensitivity->setEditText(texts.Sensitivity);
    TrackBar1->setValue(editor_.TrackBarPosition());
    Target->setChecked(editor_.Target());
    syncing_ = false;
}

void ZoneAimWindow::AfterStep() {
    ShowEditorState();
    RefreshPicture();
}

void ZoneAimWindow::RefreshPicture() {
    if (parts_.Picture)
        Image1->SetPicture(parts_.Picture());
}

void ZoneAimWindow::MoveFocus(ZoneFocus where) {
    switch (where) {
    case ZoneFocus::Keep:
        break;
    case ZoneFocus::focus:
        focus->setFocus();
        break;
    case ZoneFocus::CalLeft:
        CalLeft->setFocus();
        break;
    case ZoneFocus::calTop:
        calTop->setFocus();
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
    focus->move(kFocusLeft, focus->y());
    PaintBox1->setGeometry(2, 5, width() - 10, PaintBox1->height());
    if (Camera() == 1 && geometrySource_)
        Image1->setGeometry(geometrySource_->geometry());
    Hint->setText(kHintText);
    MoveFocus(editor_.Activate());
    AfterStep();
    Hint->move(kHintLeft, Hint->y());
    if (Camera() == 2) {
        Image2->hide();
        Image3->hide();
        PaintBox1->hide();
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
