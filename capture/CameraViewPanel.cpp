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
    captureSetupPanel = new QFrame(this);
    captureSetupPanel->setObjectName(QStringLiteral("captureSetupPanel"));
    Paint(captureSetupPanel, QColor(0x80, 0x80, 0x00), Qt::white); // olive
    captureSetupPanel->setFrameShape(QFrame::Panel);
    captureSetupPanel->hide();
    auto* layout = new QVBoxLayout(captureSetupPanel);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(3);

    cameraNameLabel = new QLabel(captureSetupPanel);
    cameraNameLabel->setObjectName(QStringLiteral("cameraNameLabel"));
    Paint(cameraNameLabel, Qt::black, Qt::yellow);
    videoModeLabel = PanelLabel(captureSetupPanel, QStringLiteral("videoModeLabel"), QStringLiteral("Video Mode"));
    videoModeLabel->hide();
    videoModeCombo = ModeBox(captureSetupPanel, QStringLiteral("videoModeCombo"));
    audioModeLabel = PanelLabel(captureSetupPanel, QStringLiteral("audioModeLabel"), QStringLiteral("Audio Mode"));
    audioModeLabel->hide();
    audioModeCombo = ModeBox(captureSetupPanel, QStringLiteral("audioModeCombo"));
    driverDialogsLabel = PanelLabel(captureSetupPanel, QStringLiteral("driverDialogsLabel"), QStringLiteral("Manufacturer\u2019s Drivers"));
    driverDialogList = new QListWidget(captureSetupPanel);
    driverDialogList->setObjectName(QStringLiteral("driverDialogList"));
    Paint(driverDialogList, Qt::black, Qt::white);
    driverDialogList->installEventFilter(this);
    dialogsHintLabel = PanelLabel(captureSetupPanel, QStringLiteral("dialogsHintLabel"), QStringLiteral("Double Click to view"));
    hidePanelButton = new QPushButton(QStringLiteral("Hide"), captureSetupPanel);
    hidePanelButton->setObjectName(QStringLiteral("hidePanelButton"));

    for (QWidget* w : std::initializer_list<QWidget*>{cameraNameLabel, videoModeLabel, videoModeCombo, audioModeLabel, audioModeCombo, driverDialogsLabel,
                                                      driverDialogList, dialogsHintLabel, hidePanelButton})
        layout->addWidget(w);

    connect(videoModeCombo, &QComboBox::activated, this, &CameraView::VideoModeComboChange);
    connect(audioModeCombo, &QComboBox::activated, this, &CameraView::AudioModeComboChange);
    connect(driverDialogList, &QListWidget::itemDoubleClicked, this, &CameraView::DriverDialogListDblClick);
    connect(hidePanelButton, &QPushButton::clicked, this, &CameraView::HidePanelButtonClick);
}

void CameraView::capChangeDevice() {
    videoModeCombo->clear();
    const int videoModes = cap->VideoModeCount();
    for (int i = 0; i < videoModes; ++i) {
        VideoMode mode{};
        cap->GetVideoMode(i, mode);
        videoModeCombo->addItem(DescribeVideoMode(mode));
    }
    audioModeCombo->clear();
    const int audioModes = cap->AudioModeCount();
    for (int i = 0; i < audioModes; ++i) {
        AudioMode mode{};
        cap->GetAudioMode(i, mode);
        audioModeCombo->addItem(DescribeAudioMode(mode));
    }
    SelectCurrentModes();

    driverDialogList->clear();
    const DialogFlags set = dialogs_->FindDialogs();
    for (int n = 0; n < CaptureDialogCount; ++n) {
        if (!DialogInSet(set, n))
            continue;
        auto* item = new QListWidgetItem(QString::fromLatin1(CaptureDialogNames[n]), driverDialogList);
        item->setData(Qt::UserRole, n);
    }
}

void CameraView::SelectCurrentModes() {
    // No row stays selected when the current mode is not among them.
    videoModeCombo->setCurrentIndex(-1);
    audioModeCombo->setCurrentIndex(-1);
    VideoMode currentVideo{};
    cap->GetCurrentVideoMode(currentVideo);
    for (int i = 0; i < videoModeCombo->count(); ++i) {
        VideoMode mode{};
        cap->GetVideoMode(i, mode);
        if (IsSameVideoMode(mode, currentVideo)) {
            videoModeCombo->setCurrentIndex(i);
            break;
        }
    }
    AudioMode currentAudio{};
    cap->GetCurrentAudioMode(currentAudio);
    for (int i = 0; i < audioModeCombo->count(); ++i) {
        AudioMode mode{};
        cap->GetAudioMode(i, mode);
        if (IsSameAudioMode(mode, currentAudio)) {
            audioModeCombo->setCurrentIndex(i);
            break;
        }
    }
}

void CameraView::DriverDialogListDblClick() {
    QListWidgetItem* item = driverDialogList->currentItem();
    if (driverDialogList->count() < 1 || !item)
        return;
    const QPointer<CameraView> self(this);
    dialogs_->ShowDialog(item->data(Qt::UserRole).toInt());
    if (!self)
        return; // the view went while the dialog was open
    // A format chosen in the pin dialog is the current mode now.
    SelectCurrentModes();
}

void CameraView::DriverDialogListKeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        DriverDialogListDblClick();
}

bool CameraView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == driverDialogList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            DriverDialogListKeyDown(key);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void CameraView::VideoModeComboChange() {
    cap->SetVideoMode(videoModeCombo->currentIndex());
    cap->StartPreview();
    SelectCurrentModes(); // a refused change (while recording) shows the mode still in use
}

void CameraView::AudioModeComboChange() {
    cap->SetAudioMode(audioModeCombo->currentIndex());
    cap->StartPreview();
    SelectCurrentModes();
}

void CameraView::ShowSetupPanel() {
    captureSetupPanel->setFrameShape(QFrame::NoFrame);
    captureSetupPanel->setWindowTitle(QString());
    Paint(captureSetupPanel, Qt::black, Qt::white);
    captureSetupPanel->move(10, 10);
    captureSetupPanel->resize(220, qMin(captureSetupPanel->sizeHint().height(), qMax(height() - 20, 60)));
    captureSetupPanel->show();
    captureSetupPanel->raise();
    cap->StopPreview();
    for (QComboBox* box : {videoModeCombo, audioModeCombo}) {
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
    captureSetupPanel->hide();
}
