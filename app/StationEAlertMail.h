#pragma once
// The station's e-alert mail: the composer over one SMTP client, fed with what the E-Alerts
// tab and the settings hold at the moment a mail goes.
#include "platform/NetCall.h"
#include "platform/SmtpClient.h"
#include "publish/EAlertComposer.h"

#include <QDateTime>
#include <functional>

class SettingsStore;
class MainWindow;

// What the mail takes from the machine; unset members use the real thing. The port and the
// time-outs are for tests.
struct StationEAlertMailLinks {
    std::function<QDateTime()> now;
    std::function<bool()> online; // platform::IsInternetConnected
    int smtpPort = 25;
    platform::NetTimeouts timeouts;
};

class StationEAlertMail {
public:
    StationEAlertMail(MainWindow& mainWindow, SettingsStore& settings, StationEAlertMailLinks links = {});

    AlertSender& Sender() { return composer_; }
    EAlertComposer& Composer() { return composer_; }
    // What a mail sent now would be made from.
    EAlertSnapshot Snapshot() const;

private:
    MainWindow& mainWindow_;
    SettingsStore& settings_;
    StationEAlertMailLinks links_;
    platform::SmtpClient client_;
    EAlertComposer composer_;
};
