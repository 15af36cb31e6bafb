#include "capture/TsetupForm.h"

#include "capture/CaptureDialogs.h"
#include "capture/DriverAliasRegistry.h"
#include "capture/TGraphConfig.h"
#include "capture/TtorCap.h"
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

TsetupForm::TsetupForm(const platform::ProgramFolder& folder, DriverAliasRegistry& registry, QWidget* parent)
    : QDialog(parent), folder_(folder), registry_(registry) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Low"));
    resize(760, 560);

    torCap1 = new TtorCap(folder_, this);
    torCap1->setObjectName(QStringLiteral("torCap1"));
    SetColour(torCap1, QColor(0x80, 0x00, 0x00)); // maroon
    // The set-up panel stays on the screen, black and borderless, without name or "Hide".
    torCap1->SetupPanel->setFrameShape(QFrame::NoFrame);
    SetColour(torCap1->SetupPanel, Qt::black);
    torCap1->camName->hide();
    torCap1->Button2->hide();
    torCap1->SetupPanel->move(8, 10);
    torCap1->SetupPanel->show();

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    SetColour(Panel1, Qt::black);
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(8, 6, 8, 6);
    Label1 = new QLabel(QStringLiteral("Camera Description"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->hide();
    DriverAliasText = new QLineEdit(Panel1);
    DriverAliasText->setObjectName(QStringLiteral("DriverAliasText"));
    DriverAliasText->setFont(QFont(QStringLiteral("Courier")));
    DriverAliasText->hide();
    Button39 = new QPushButton(QStringLiteral("&Restart TORVEK"), Panel1);
    Button39->setObjectName(QStringLiteral("Button39"));
    Button1 = new QPushButton(QStringLiteral("&Save"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->hide();
    row->addWidget(Label1);
    row->addWidget(DriverAliasText);
    row->addStretch(1);
    row->addWidget(Button1);
    row->addWidget(Button39);
    connect(Button39, &QPushButton::clicked, this, &TsetupForm::Button39Click);
    connect(Button1, &QPushButton::clicked, this, &TsetupForm::Button1Click);

    FormCreate();
    LayOut();
}

TsetupForm::~TsetupForm() {
    FormDeactivate();
}

void TsetupForm::FormCreate() {
    SetColour(this, Qt::black);
    SetColour(torCap1, Qt::black);
}

int TsetupForm::OpenSetupScreen(int deviceIndex, int cameraNumber) {
    torCap1->CameraNumber = cameraNumber;
    deviceIndex_ = deviceIndex;
    activated_ = false; // the screen serves every use: each one connects its camera
    return RunModalDialog(*this);
}

void TsetupForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    // Let the screen appear with its "please wait" caption before the camera is opened.
    QTimer::singleShot(0, this, &TsetupForm::FormActivate);
}

void TsetupForm::FormActivate() {
    if (!isVisible())
        return; // closed before it came up: nothing to connect
    setWindowTitle(QStringLiteral("Reading driver please wait..."));
    repaint();
    torCap1->SetTag(deviceIndex_);
    torCap1->ConnectCamera(true, deviceIndex_);
    recordNumber_ = registry_.FindDriverRecordByDevice(deviceIndex_);
    setWindowTitle(QStringLiteral("Cam %1 Driver %2 %3")
                       .arg(torCap1->CameraNumber)
                       .arg(recordNumber_)
                       .arg(torCap1->camName->text()));
    if (recordNumber_ < 1)
        return;
    registry_.SelectRow(recordNumber_ - 1);
    DriverAliasRecord record;
    if (registry_.ReadRecord(recordNumber_ - 1, record))
        DriverAliasText->setText(TrimBlanks(record.DriverAlias));
}

void TsetupForm::FormDeactivate() {
    // Asked of the control itself: the station suspends camera queries while this screen is
    // open, and the camera must still be closed.
    if (torCap1->cap->Previewing() || torCap1->IsCapturing())
        torCap1->ConnectCamera(false, deviceIndex_);
}

void TsetupForm::Button1Click() {
    const TGraphConfig* config = torCap1->GetGraphConfig();
    if (recordNumber_ < 1 || !config)
        return;
    registry_.SaveDriverAlias(DriverAliasText->text(), recordNumber_ - 1);
    SaveCameraConfigFile(CameraConfigFileName(folder_, recordNumber_), *config);
}

void TsetupForm::Button39Click() {
    accept();
}

void TsetupForm::done(int result) {
    FormDeactivate();
    QDialog::done(result);
}

void TsetupForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOut();
}

void TsetupForm::LayOut() {
    const int w = width();
    const int h = height();
    Panel1->setGeometry(0, h - kPanelHeight, w, kPanelHeight);
    torCap1->setGeometry(0, 0, w, h - kPanelHeight);
    torCap1->Image->setGeometry(0, 0, w, h - kPanelHeight);
    torCap1->SetupPanel->resize(220, qMin(torCap1->SetupPanel->sizeHint().height(), h - kPanelHeight - 20));
    torCap1->SetupPanel->raise();
}
