#pragma once
// Where the e-alert dispatch hands the queued pictures. The sender gets a copy of the
// queue (camera digit + picture name, newest first) and says how many of its lines it
// used and whether the mail went out. Until a real mail composer is bound, the station
// runs with NullAlertSender, which sends nothing.
#include <QString>
#include <QStringList>

struct AlertSendResult {
    int linesUsed = 0;   // lines of the copy the mail used, from index 0 (the newest)
    bool mailed = false; // a mail was handed to the server
    bool ok = false;     // the send finished without error
    QString error;       // why it failed, for the user
    QStringList refused; // recipients the server refused while the mail went to the others
};

class AlertSender {
public:
    virtual ~AlertSender() = default;
    // May run a nested event loop; the caller keeps queueing meanwhile.
    virtual AlertSendResult SendEAlert(const QStringList& queueCopy) = 0;
};

class NullAlertSender : public AlertSender {
public:
    AlertSendResult SendEAlert(const QStringList&) override { return {0, false, true, {}, {}}; }
};
