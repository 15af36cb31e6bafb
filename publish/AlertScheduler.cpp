#include "publish/AlertScheduler.h"

#include "core/MessageBox.h"
#include "core/SettingsRecord.h"
#include "publish/AlertOptions.h"

#include <QDebug>

#include <chrono>
#include <exception>

namespace {

NullAlertSender& NoSender() {
    static NullAlertSender sender;
    return sender;
}

} // namespace

AlertScheduler::AlertScheduler(SettingsRecord& record, QStringList& queue, AlertSchedulerLinks links)
    : record_(record), queue_(queue), links_(std::move(links)), sender_(&NoSender()) {
    RestartPeriod();
}

void AlertScheduler::SetSender(AlertSender* sender) {
    sender_ = sender ? sender : &NoSender();
}

qint64 AlertScheduler::NowMs() const {
    if (links_.monotonicMs) return links_.monotonicMs();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void AlertScheduler::Reset() {
    sentCount_ = 0;
    ClearQueue();
    RestartPeriod();
}

void AlertScheduler::RestartPeriod() {
    lastAlertMs_ = NowMs();
    lastAlertWall_ = links_.now ? links_.now() : QDateTime::currentDateTime();
}

void AlertScheduler::ClearQueue() {
    queue_.clear();
    held_.clear();
}

QStringList AlertScheduler::SendOrder() {
    QStringList rest = queue_;
    QStringList front;
    for (const QString& line : std::as_const(held_)) {
        const qsizetype at = rest.indexOf(line);
        if (at >= 0) front << rest.takeAt(at);
    }
    held_ = front; // lines gone from the queue meanwhile are no longer held
    return front + rest;
}

qint64 AlertScheduler::RemainingSeconds() const {
    return qint64(record_.AlertPeriodMinutes) * 60 - (NowMs() - lastAlertMs_) / 1000;
}

AlertTickState AlertScheduler::Tick(bool alertsTicked) {
    AlertTickState state;
    state.active = alertsTicked;
    state.sending = sending_;
    if (alertsTicked && !sending_) {
        state.online = lastOnline_ = links_.online && links_.online();
        if (RemainingSeconds() < 0 && (queue_.isEmpty() || !state.online)) RestartPeriod();
        if (RemainingSeconds() <= 0 && !(links_.ftpBusy && links_.ftpBusy())) SendNow();
    } else {
        state.online = lastOnline_;
    }
    state.remainingSeconds = RemainingSeconds();
    state.countdown = AlertCountdownText(state.remainingSeconds);
    state.sentCount = sentCount_;
    state.queueSize = queue_.size();
    return state;
}

AlertScheduler::SendResult AlertScheduler::SendNow() {
    if (sending_ || queue_.isEmpty() || !(links_.online && links_.online()) ||
        !AlertLimitAllows(record_.EmailLimit, sentCount_))
        return SendResult::Refused;

    sending_ = true;
    if (links_.sendingChanged) links_.sendingChanged(true);
    // The sender works on a copy: pictures saved meanwhile go to the live queue. The
    // pictures of a failed mail come first, so the next mail carries them.
    const QStringList copy = SendOrder();
    AlertSendResult result;
    try {
        result = sender_->SendEAlert(copy);
    } catch (const std::exception& e) {
        result = {0, false, false, QString::fromLocal8Bit(e.what()), {}};
    } catch (...) {
        result = {0, false, false, QStringLiteral("unexpected error"), {}};
    }

    SendResult outcome = SendResult::NotMailed;
    if (!result.ok) {
        outcome = SendResult::Failed;
        held_ = copy;
        ReportFailure(result.error);
    } else {
        if (result.mailed) {
            outcome = SendResult::Sent;
            failureShown_ = false;
            ++sentCount_;
            ReportRefused(result.refused);
        }
        // Lines used without a mail are pictures that could not be read any more: they go,
        // uncounted, so that they are not tried again every period.
        const bool clearAll = result.mailed && (links_.clearQueueOnSend ? links_.clearQueueOnSend()
                                                                         : record_.ClearQueueOnSend);
        const qsizetype used = clearAll ? copy.size() : qBound(qsizetype(0), qsizetype(result.linesUsed), copy.size());
        // Matched by value: lines queued since the copy was taken sit in front of them.
        for (qsizetype i = 0; i < used; ++i) {
            const qsizetype at = queue_.lastIndexOf(copy.at(i));
            if (at >= 0) queue_.removeAt(at);
            held_.removeOne(copy.at(i));
        }
    }

    sending_ = false;
    RestartPeriod();
    if (links_.sendingChanged) links_.sendingChanged(false);
    return outcome;
}

void AlertScheduler::ReportFailure(const QString& error) {
    if (failureShown_) return;
    failureShown_ = true;
    const QString text =
        QStringLiteral("The e-alert could not be sent (%1). The pictures stay queued and go with the next alert.")
            .arg(error.isEmpty() ? QStringLiteral("no reason given") : error);
    if (links_.reportFailure)
        links_.reportFailure(text);
    else
        PostMessageBox(text);
}

void AlertScheduler::ReportRefused(const QStringList& refused) {
    if (refused.isEmpty()) {
        refusedShown_.clear();
        return;
    }
    const QString text = QStringLiteral("The e-alert was sent, but the mail server refused %1.")
                             .arg(refused.join(QStringLiteral(", ")));
    qWarning().noquote() << text;
    // Told again only when other addresses are refused.
    if (refused == refusedShown_) return;
    refusedShown_ = refused;
    if (links_.reportFailure)
        links_.reportFailure(text);
    else
        PostMessageBox(text);
}
