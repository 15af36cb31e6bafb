#include "capture/CameraSetupScreen.h"

#include "capture/CaptureDialogs.h"
#include "capture/DriverAliasRegistry.h"
#include "capture/CaptureGraphConfig.h"
#include "capture/CameraView.h"
#include "capture/VideoCapture.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kPanelHeight = 44;

void SetColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

CameraSetupScreen::CameraSetupScreen(const platform::ProgramFolder& folder, DriverAliasRegistry& registry, QWidget* parent)
    : QDialog(parent), folder_(folder), registry_(registry) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Low"));
    resize(760, 560);

    cameraView1 = new CameraView(folder_, this);
    cameraView1->setObjectName(QStringLiteral("cameraView1"));
    SetColour(cameraView1, QColor(0x80, 0x00, 0x00)); // maroon
    // The set-up panel stays on the screen, black and borderless, without name or "Hide".
    cameraView1->captureSetupPanel->setFrameShape(QFrame::NoFrame);
    SetColour(cameraView1->captureSetupPanel, Qt::black);
    cameraView1->cameraNameLabel->hide();
    cameraView1->hidePanelButton->hide();
    cameraView1->captureSetupPanel->move(8, 10);
    cameraView1->captureSetupPanel->show();

    buttonPanel = new QFrame(this);
    buttonPanel->setObjectName(QStringLiteral("buttonPanel"));
    SetColour(buttonPanel, Qt::black);
    auto* row = new QHBoxLayout(buttonPanel);
    row->setContentsMargins(8, 6, 8, 6);
    descriptionLabel = new QLabel(QStringLiteral("Camera Description"), buttonPanel);
    descriptionLabel->setObjectName(QStringLiteral("descriptionLabel"));
    descriptionLabel->hide();
    driverAliasEdit = new QLineEdit(buttonPanel);
    driverAliasEdit->setObjectName(QStringLiteral("driverAliasEdit"));
    driverAliasEdit->setFont(QFont(QStringLiteral("Courier")));
    driverAliasEdit->hide();
    restartButton = new QPushButton(QStringLiteral("&Restart TORVEK"), buttonPanel);
    restartButton->setObjectName(QStringLiteral("restartButton"));
    saveAliasButton = new QPushButton(QStringLiteral("&Save"), buttonPanel);
    saveAliasButton->setObjectName(QStringLiteral("saveAliasButton"));
    saveAliasButton->hide();
    row->addWidget(descriptionLabel);
    row->addWidget(driverAliasEdit);
    row->addStretch(1);
    row->addWidget(saveAliasButton);
    row->addWidget(restartButton);
    connect(restartButton, &QPushButton::clicked, this, &CameraSetupScreen::RestartButtonClick);
    connect(saveAliasButton, &QPushButton::clicked, this, &CameraSetupScreen::SaveAliasButtonClick);

    FormCreate();
    LayOut();
}

CameraSetupScreen::~CameraSetupScreen() {
    FormDeactivate();
}

void CameraSetupScreen::FormCreate() {
    SetColour(this, Qt::black);
    SetColour(cameraView1, Qt::black);
}

int CameraSetupScreen::OpenSetupScreen(int deviceIndex, int cameraNumber) {
    cameraView1->CameraNumber = cameraNumber;
    deviceIndex_ = deviceIndex;
    activated_ = false; // the screen serves every use: each one connects its camera
    return RunModalDialog(*this);
}

void CameraSetupScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    // Let the screen appear with its "please wait" caption before the camera is opened.
    QTimer::singleShot(0, this, &CameraSetupScreen::FormActivate);
}

void CameraSetupScreen::FormActivate() {
    if (!isVisible())
        return; // closed before it came up: nothing to connect
    setWindowTitle(QStringLiteral("Reading driver please wait..."));
    repaint();
    cameraView1->SetTag(deviceIndex_);
    cameraView1->ConnectCamera(true, deviceIndex_);
    recordNumber_ = registry_.FindDriverRecordByDevice(deviceIndex_);
    setWindowTitle(QStringLiteral("Cam %1 Driver %2 %3")
                       .arg(cameraView1->CameraNumber)
                       .arg(recordNumber_)
                       .arg(cameraView1->cameraNameLabel->text()));
    if (recordNumber_ < 1)
        return;
    registry_.SelectRow(recordNumber_ - 1);
    DriverAliasRecord record;
    if (registry_.ReadRecord(recordNumber_ - 1, record))
        driverAliasEdit->setText(TrimBlanks(record.DriverAlias));
}

void CameraSetupScreen::FormDeactivate() {
    // Asked of the control itself: the station suspends camera queries while this screen is
    // open, and the camera must still be closed.
    if (cameraView1->cap->Previewing() || cameraView1->IsCapturing())
        cameraView1->ConnectCamera(false, deviceIndex_);
}

void CameraSetupScreen::SaveAliasButtonClick() {
    const CaptureGraphConfig* config = cameraView1->GetGraphConfig();
    if (recordNumber_ < 1 || !config)
        return;
    registry_.SaveDriverAlias(driverAliasEdit->text(), recordNumber_ - 1);
    SaveCameraConfigFile(CameraConfigFileName(folder_, recordNumber_), *config);
}

void CameraSetupScreen::RestartButtonClick() {
    accept();
}

void CameraSetupScreen::done(int result) {
    FormDeactivate();
    QDialog::done(result);
}

void CameraSetupScreen::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOut();
}

void CameraSetupScreen::LayOut() {
    const int w = width();
    const int h = height();
    buttonPanel->setGeometry(0, h - kPanelHeight, w, kPanelHeight);
    cameraView1->setGeometry(0, 0, w, h - kPanelHeight);
    cameraView1->frameImage->setGeometry(0, 0, w, h - kPanelHeight);
    cameraView1->captureSetupPanel->resize(220, qMin(cameraView1->captureSetupPanel->sizeHint().height(), h - kPanelHeight - 20));
    cameraView1->captureSetupPanel->raise();
}
