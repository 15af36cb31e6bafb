#include "app/NetworkPanel.h"

#include "core/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

namespace {

template <class W, class... Args>
W* Named(QWidget* parent, const char* name, Args&&... args) {
    auto* widget = new W(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

NetworkPanel::NetworkPanel(QWidget* parent, std::function<void()> save)
    : QWidget(parent), save_(std::move(save)) {
    setObjectName(QStringLiteral("networkPanel"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);
    resize(420, 260);

    auto* title = Named<QLabel>(this, "titleLabel", QStringLiteral("TCP/IP Connection"));
    title->setGeometry(8, 6, 200, 18);
    tcpLogList = Named<QListWidget>(this, "tcpLogList");
    tcpLogList->setGeometry(8, 28, 240, 190);
    camera1Image = Named<QLabel>(this, "camera1Image");
    camera1Image->setGeometry(256, 28, 156, 117);
    camera1Image->setScaledContents(true);
    startListenerButton = Named<QPushButton>(this, "startListenerButton", QStringLiteral("Start"));
    startListenerButton->setGeometry(256, 152, 75, 25);
    connectButton = Named<QPushButton>(this, "connectButton", QStringLiteral("Connect"));
    connectButton->setGeometry(337, 152, 75, 25);
    saveButton = Named<QPushButton>(this, "saveButton", QStringLiteral("Save"));
    saveButton->setGeometry(256, 226, 75, 25);
    hideButton = Named<QPushButton>(this, "hideButton", QStringLiteral("Hide"));
    hideButton->setGeometry(337, 226, 75, 25);

    connect(startListenerButton, &QPushButton::clicked, this, [this] { server_.Start(TcpListener::kDefaultPort); });
    connect(&server_, &TcpListener::LogLine, this, &NetworkPanel::AddTcpLog);
    connect(&server_, &TcpListener::LogLines, this, &NetworkPanel::AddTcpLogLines);
    connect(hideButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(saveButton, &QPushButton::clicked, this, [this] {
        if (save_)
            save_();
        ShowMessageBox(QStringLiteral("OK Saved new Information."));
    });
    // "Connect" serves nothing remote in this station.
}

void NetworkPanel::AddTcpLog(const QString& line) { AddTcpLogLines({line}); }

void NetworkPanel::AddTcpLogLines(const QStringList& oldestFirst) {
    const int keep = TcpListener::kMaxLogRows;
    QStringList newestFirst;
    for (qsizetype i = oldestFirst.size() - 1; i >= 0 && newestFirst.size() < keep; --i)
        newestFirst << oldestFirst[i];
    // One insertion and one removal for the whole batch, whatever its size.
    tcpLogList->insertItems(0, newestFirst);
    if (tcpLogList->count() > keep)
        tcpLogList->model()->removeRows(keep, tcpLogList->count() - keep);
}

void NetworkPanel::FrameGrabbed(int camera, const QImage& frame) {
    if (camera == 1 && server_.IsListening() && !frame.isNull())
        camera1Image->setPixmap(QPixmap::fromImage(frame));
}

void NetworkPanel::ShowPanel() {
    show();
    raise();
}

RemoteAccessPage::RemoteAccessPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("remoteAccessPage"));
    port1PasswordEdit = Named<QLineEdit>(this, "port1PasswordEdit");
    port1PasswordEdit->setGeometry(10, 10, 120, 22);
    port1PasswordEdit->setEchoMode(QLineEdit::Password);
    port2PasswordEdit = Named<QLineEdit>(this, "port2PasswordEdit");
    port2PasswordEdit->setGeometry(10, 40, 120, 22);
    port2PasswordEdit->setEchoMode(QLineEdit::Password);
    port1Combo = Named<QComboBox>(this, "port1Combo");
    port1Combo->setGeometry(140, 10, 80, 22);
    port2Combo = Named<QComboBox>(this, "port2Combo");
    port2Combo->setGeometry(140, 40, 80, 22);
    auto* activeLabel = Named<QLabel>(this, "activeLabel", QStringLiteral("Active on Auto Start"));
    activeLabel->setGeometry(230, 0, 140, 16);
    port1ActiveBox = Named<QCheckBox>(this, "port1ActiveBox", QStringLiteral("1 Active"));
    port1ActiveBox->setGeometry(230, 12, 80, 20);
    port2ActiveBox = Named<QCheckBox>(this, "port2ActiveBox", QStringLiteral("2 Active"));
    port2ActiveBox->setGeometry(230, 42, 80, 20);
    listen1Button = Named<QPushButton>(this, "listen1Button", QStringLiteral("Listen"));
    listen1Button->setGeometry(320, 10, 60, 22);
    listen2Button = Named<QPushButton>(this, "listen2Button", QStringLiteral("Listen"));
    listen2Button->setGeometry(320, 40, 60, 22);
    percentSlider = Named<QSlider>(this, "percentSlider", Qt::Horizontal);
    percentSlider->setGeometry(10, 72, 200, 22);
    percentSlider->setRange(10, 100);
    percentLabel = Named<QLabel>(this, "percentLabel");
    percentLabel->setGeometry(220, 72, 60, 22);
    hintLabel = Named<QLabel>(this, "hintLabel");
    hintLabel->setGeometry(10, 100, 370, 18);

    connect(percentSlider, &QSlider::valueChanged, this,
            [this](int position) { percentLabel->setText(QString::number(position) + QStringLiteral("%")); });
    for (QWidget* w : std::initializer_list<QWidget*>{port1PasswordEdit, port2PasswordEdit, port1Combo, port2Combo, port1ActiveBox, port2ActiveBox})
        w->installEventFilter(this);
}

bool RemoteAccessPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == port1PasswordEdit || watched == port2PasswordEdit)
            hintLabel->setText(QStringLiteral("Enter a password so you can log on remotely"));
        else if (watched == port1Combo || watched == port2Combo)
            hintLabel->setText(QStringLiteral("Select a port to connect to remotely"));
        else if (watched == port1ActiveBox || watched == port2ActiveBox)
            hintLabel->setText(QStringLiteral("Allow automatic remote access on restart"));
    }
    return QWidget::eventFilter(watched, event);
}
