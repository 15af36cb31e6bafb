#pragma once
// The e-alert schedule: counts down the alert period on a monotonic clock, decides when the
// queued pictures go out, hands a copy of the queue to the alert sender, counts the mails
// against the limit and removes from the queue what the mail carried. Pictures queued
// while a mail is on its way stay queued.
#include "publish/AlertSender.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

struct SettingsRecord;

struct AlertSchedulerLinks {
    // Milliseconds on a clock that never jumps; unset: the process's steady clock.
    std::function<qint64()> monotonicMs;
    // Wall time, only for LastAlertTime's text; unset: the current local time.
    std::function<QDateTime()> now;
    std::function<bool()> online;  // unset: never online
    std::function<bool()> ftpBusy; // unset: never busy
    // The "Clear cue on send" box; unset: the record's ClearQueueOnSend.
    std::function<bool()> clearQueueOnSend;
    // Told when a send starts (true) and when it is over (false): Send Now is disabled
    // meanwhile, and the summary is refreshed afterwards.
    std::function<void(bool sending)> sendingChanged;
    // A failed mail, told once per run of failures, and recipients the server refused while
    // the mail went to the others (told again when others are refused); unset: PostMessageBox.
    std::function<void(const QString& text)> reportFailure;
};

// What one clock tick leaves for the alert block to paint.
struct AlertTickState {
    bool active = false;    // "E-Alerts Active" ticked
    bool online = false;
    bool sending = false;
    qint64 remainingSeconds = 0;
    QString countdown;      // AlertCountdownText(remainingSeconds)
    qint32 sentCount = 0;
    qsizetype queueSize = 0;
};

class AlertScheduler {
public:
    enum class SendResult {
        Refused,   // a guard said no: nothing happened
        Sent,      // mailed and counted; the used lines left the queue
        NotMailed, // no mail went: nothing to send, no mail composer bound, or the lines it
                   // used held no readable picture (those lines leave the queue)
        Failed,    // the mail failed: nothing counted or removed; its lines go first next
                   // period, ahead of pictures queued since
    };

    AlertScheduler(SettingsRecord& record, QStringList& queue, AlertSchedulerLinks links = {});

    // Null restores the sender that sends nothing.
    void SetSender(AlertSender* sender);
    AlertSchedulerLinks& Links() { return links_; }

    qint32 AlertsSentCount() const { return sentCount_; }
    // Start of the current period, as wall time.
    QDateTime LastAlertTime() const { return lastAlertWall_; }
    bool Sending() const { return sending_; }

    // Window creation: nothing sent yet, a new period, an empty queue.
    void Reset();
    // A new period from now (the set-up panel's Hide also empties the queue: ClearQueue).
    void RestartPeriod();
    void ClearQueue();

    // Seconds left in the period; negative when overdue.
    qint64 RemainingSeconds() const;

    // One second of the clock. With alerts ticked: an elapsed period with an empty queue or
    // no connection starts over; otherwise, unless FTP is busy, the queue is sent. Inside a
    // send it only reports the state.
    AlertTickState Tick(bool alertsTicked);
    // One guarded send (Send Now and the schedule).
    SendResult SendNow();

private:
    qint64 NowMs() const;
    // The queue as the sender gets it: the lines of a failed mail first, then the rest.
    QStringList SendOrder();
    void ReportFailure(const QString& error);
    void ReportRefused(const QStringList& refused);

    SettingsRecord& record_;
    QStringList& queue_;
    AlertSchedulerLinks links_;
    AlertSender* sender_;
    qint32 sentCount_ = 0;
    qint64 lastAlertMs_ = 0;
    QDateTime lastAlertWall_;
    bool sending_ = false;
    bool lastOnline_ = false;
    bool failureShown_ = false;
    QStringList held_;         // the lines a failed mail was given, in its order
    QStringList refusedShown_; // the refused recipients last told
};
