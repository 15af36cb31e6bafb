// The camera view's set-up panel: capture modes and the driver dialogs.
#include "capture/CameraView.h"

#include "capture/CaptureModes.h"
#include "capture/VideoCapture.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kNotSelected = QStringLiteral("Not Selected");

void Paint(QWidget* w, const QColor& back, const QColor& text) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, back);
    p.setColor(QPalette::Base, back);
    p.setColor(QPalette::Button, back);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::ButtonText, text);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QComboBox* ModeBox(QWidget* parent, const QString& name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setPlaceholderText(kNotSelected); // shown while no row is selected
    Paint(box, Qt::black, Qt::white);
    box->hide();
    return box;
}

QLabel* PanelLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(p);
    return label;
}

} // namespace

void CameraView::BuildSetupPanel() {
    SetupPanel = new QFrame(this);
    SetupPanel->setObjectName(QStringLiteral("SetupPanel"));
    Paint(SetupPanel, QColor(0x80, 0x80, 0x00), Qt::white); // olive
    SetupPanel->setFrameShape(QFrame::Panel);
    SetupPanel->hide();
    auto* layout = new QVBoxLayout(SetupPanel);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(3);

    camName = new QLabel(SetupPanel);
    camName->setObjectName(QStringLiteral("camName"));
    Paint(camName, Qt::black, Qt::yellow);
    videoModeLabel = PanelLabel(SetupPanel, QStringLiteral("videoModeLabel"), QStringLiteral("Video Mode"));
    videoModeLabel->hide();
    cbVModes = ModeBox(SetupPanel, QStringLiteral("cbVModes"));
    audioModeLabel = PanelLabel(SetupPanel, QStringLiteral("audioModeLabel"), QStringLiteral("Audio Mode"));
    audioModeLabel->hide();
    cbAModes = ModeBox(SetupPanel, QStringLiteral("cbAModes"));
    driverDialogsLabel = PanelLabel(SetupPanel, QStringLiteral("driverDialogsLabel"), QStringLiteral("Manufacturer\u2019s Drivers"));
    lbDialogs = new QListWidget(SetupPanel);
    lbDialogs->setObjectName(QStringLiteral("lbDialogs"));
    Paint(lbDialogs, Qt::black, Qt::white);
    lbDialogs->installEventFilter(this);
    dialogsHintLabel = PanelLabel(SetupPanel, QStringLiteral("dialogsHintLabel"), QStringLiteral("Double Click to view"));
    hidePanelButton = new QPushButton(QStringLiteral("Hide"), SetupPanel);
    hidePanelButton->setObjectName(QStringLiteral("hidePanelButton"));

    for (QWidget* w : std::initializer_list<QWidget*>{camName, videoModeLabel, cbVModes, audioModeLabel, cbAModes, driverDialogsLabel,
                                                      lbDialogs, dialogsHintLabel, hidePanelButton})
        layout->addWidget(w);

    connect(cbVModes, &QComboBox::activated, this, &CameraView::cbVModesChange);
    connect(cbAModes, &QComboBox::activated, this, &CameraView::cbAModesChange);
    connect(lbDialogs, &QListWidget::itemDoubleClicked, this, &CameraView::lbDialogsDblClick);
    connect(hidePanelButton, &QPushButton::clicked, this, &CameraView::HidePanelButtonClick);
}

void CameraView::capChangeDevice() {
    cbVModes->clear();
    const int videoModes = cap->VideoModeCount();
    for (int i = 0; i < videoModes; ++i) {
        VideoMode mode{};
        cap->GetVideoMode(i, mode);
        cbVModes->addItem(DescribeVideoMode(mode));
    }
    cbAModes->clear();
    const int audioModes = cap->AudioModeCount();
    for (int i = 0; i < audioModes; ++i) {
        AudioMode mode{};
        cap->GetAudioMode(i, mode);
        cbAModes->addItem(DescribeAudioMode(mode));
    }
    SelectCurrentModes();

    lbDialogs->clear();
    const DialogFlags set = dialogs_->FindDialogs();
    for (int n = 0; n < CaptureDialogCount; ++n) {
        if (!DialogInSet(set, n))
            continue;
        auto* item = new QListWidgetItem(QString::fromLatin1(CaptureDialogNames[n]), lbDialogs);
        item->setData(Qt::UserRole, n);
    }
}

void CameraView::SelectCurrentModes() {
    // No row stays selected when the current mode is not among them.
    cbVModes->setCurrentIndex(-1);
    cbAModes->setCurrentIndex(-1);
    VideoMode currentVideo{};
    cap->GetCurrentVideoMode(currentVideo);
    for (int i = 0; i < cbVModes->count(); ++i) {
        VideoMode mode{};
        cap->GetVideoMode(i, mode);
        if (IsSameVideoMode(mode, currentVideo)) {
            cbVModes->setCurrentIndex(i);
            break;
        }
    }
    AudioMode currentAudio{};
    cap->GetCurrentAudioMode(currentAudio);
    for (int i = 0; i < cbAModes->count(); ++i) {
        AudioMode mode{};
        cap->GetAudioMode(i, mode);
        if (IsSameAudioMode(mode, currentAudio)) {
            cbAModes->setCurrentIndex(i);
            break;
        }
    }
}

void CameraView::lbDialogsDblClick() {
    QListWidgetItem* item = lbDialogs->currentItem();
    if (lbDialogs->count() < 1 || !item)
        return;
    const QPointer<CameraView> self(this);
    dialogs_->ShowDialog(item->data(Qt::UserRole).toInt());
    if (!self)
        return; // the view went while the dialog was open
    // A format chosen in the pin dialog is the current mode now.
    SelectCurrentModes();
}

void CameraView::lbDialogsKeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        lbDialogsDblClick();
}

bool CameraView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lbDialogs && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            lbDialogsKeyDown(key);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void CameraView::cbVModesChange() {
    cap->SetVideoMode(cbVModes->currentIndex());
    cap->StartPreview();
    SelectCurrentModes(); // a refused change (while recording) shows the mode still in use
}

void CameraView::cbAModesChange() {
    cap->SetAudioMode(cbAModes->currentIndex());
    cap->StartPreview();
    SelectCurrentModes();
}

void CameraView::ShowSetupPanel() {
    SetupPanel->setFrameShape(QFrame::NoFrame);
    SetupPanel->setWindowTitle(QString());
    Paint(SetupPanel, Qt::black, Qt::white);
    SetupPanel->move(10, 10);
    SetupPanel->resize(220, qMin(SetupPanel->sizeHint().height(), qMax(height() - 20, 60)));
    SetupPanel->show();
    SetupPanel->raise();
    cap->StopPreview();
    for (QComboBox* box : {cbVModes, cbAModes}) {
        if (box->count() > 0) {
            box->setEnabled(true);
        } else {
            box->setPlaceholderText(QStringLiteral("N/A"));
            box->setCurrentIndex(-1);
            box->setEnabled(false);
        }
    }
}

void CameraView::HidePanelButtonClick() {
    SetupPanel->hide();
}
