#include "core/SettingsRecord.h"
#include "publish/AlertScheduler.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class FakeSender : public AlertSender {
public:
    QList<QStringList> calls;
    int linesUsed = 0;
    bool ok = true;
    bool mailed = true;
    QStringList refused;
    std::function<void()> during; // runs inside the send, as a nested event loop would

    AlertSendResult SendEAlert(const QStringList& queueCopy) override {
        calls << queueCopy;
        if (during) during();
        if (!ok) return {0, false, false, QStringLiteral("connection refused"), {}};
        return {qMin(linesUsed, int(queueCopy.size())), mailed, true, {}, refused};
    }
};

class AlertSchedulerTest : public ::testing::Test {
protected:
    SettingsRecord record;
    QStringList queue;
    qint64 clockMs = 1'000'000;
    QDateTime wall = QDateTime(QDate(2026, 12, 6), QTime(8, 0));
    bool online = true, ftpBusy = false, clearQueue = false;
    QStringList failures;
    QList<bool> sendingEvents;
    FakeSender sender;
    std::unique_ptr<AlertScheduler> scheduler;

    void SetUp() override {
        record.AlertPeriodMinutes = 10;
        record.EmailLimit = 0;
        AlertSchedulerLinks links;
        links.monotonicMs = [this] { return clockMs; };
        links.now = [this] { return wall; };
        links.online = [this] { return online; };
        links.ftpBusy = [this] { return ftpBusy; };
        links.clearQueueOnSend = [this] { return clearQueue; };
        links.reportFailure = [this](const QString& text) { failures << text; };
        links.sendingChanged = [this](bool sending) { sendingEvents << sending; };
        scheduler = std::make_unique<AlertScheduler>(record, queue, links);
        scheduler->SetSender(&sender);
    }

    void Advance(int seconds) { clockMs += qint64(seconds) * 1000; }
    // Queues n pictures, newest first, starting at number `from`.
    void Queue(int n, int from = 1) {
        for (int i = 0; i < n; ++i) queue.prepend(QStringLiteral("1%1.jpg").arg(from + i, 6, 10, QChar(u'0')));
    }
};

} // namespace

TEST_F(AlertSchedulerTest, CountsDownAndRestartsAnEmptyPeriodUncounted) {
    Advance(9 * 60 + 55);
    wall = wall.addSecs(3600); // a wall-clock jump changes nothing
    AlertTickState state = scheduler->Tick(true);
    EXPECT_EQ(state.countdown, "    0:05");
    wall = wall.addSecs(-7200);
    EXPECT_EQ(scheduler->Tick(true).remainingSeconds, 5);

    Advance(6); // one second overdue, nothing queued
    state = scheduler->Tick(true);
    EXPECT_TRUE(sender.calls.isEmpty());
    EXPECT_EQ(state.remainingSeconds, 600);
    EXPECT_EQ(scheduler->AlertsSentCount(), 0);

    // Offline with pictures queued: the period starts over as well.
    Queue(2);
    online = false;
    Advance(601);
    state = scheduler->Tick(true);
    EXPECT_TRUE(sender.calls.isEmpty());
    EXPECT_EQ(state.remainingSeconds, 600);
    EXPECT_FALSE(state.online);

    // Unticked: no countdown and no send.
    online = true;
    Advance(700);
    scheduler->Tick(false);
    EXPECT_TRUE(sender.calls.isEmpty());
    EXPECT_EQ(queue.size(), 2);
}

TEST_F(AlertSchedulerTest, SendsWhenThePeriodEndsAndTrimsTheUsedLines) {
    Queue(8);
    const QStringList before = queue;
    sender.linesUsed = 5;
    Advance(600);
    AlertTickState state = scheduler->Tick(true);
    ASSERT_EQ(sender.calls.size(), 1);
    EXPECT_EQ(sender.calls.first(), before);
    EXPECT_EQ(state.sentCount, 1);
    EXPECT_EQ(state.remainingSeconds, 600);
    // The 3 oldest stay, at 0..2.
    EXPECT_EQ(queue, before.mid(5));
    EXPECT_EQ(sendingEvents, (QList<bool>{true, false}));

    // Clear cue on send empties the queue whatever the mail used.
    clearQueue = true;
    sender.linesUsed = 1;
    Advance(600);
    scheduler->Tick(true);
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_EQ(scheduler->AlertsSentCount(), 2);
}

TEST_F(AlertSchedulerTest, LimitStopsSendingAndTheCountdownStaysNegative) {
    record.EmailLimit = 3;
    sender.linesUsed = 1;
    Queue(10);
    for (int period = 0; period < 5; ++period) {
        Advance(600);
        scheduler->Tick(true);
    }
    EXPECT_EQ(sender.calls.size(), 3);
    EXPECT_EQ(scheduler->AlertsSentCount(), 3);
    EXPECT_EQ(queue.size(), 7);
    AlertTickState state = scheduler->Tick(true);
    EXPECT_EQ(state.remainingSeconds, -600); // two periods overdue
    EXPECT_EQ(scheduler->SendNow(), AlertScheduler::SendResult::Refused);
    EXPECT_EQ(sender.calls.size(), 3);

    // Raising the limit lets the next tick send.
    record.EmailLimit = 4;
    scheduler->Tick(true);
    EXPECT_EQ(sender.calls.size(), 4);
}

TEST_F(AlertSchedulerTest, FailedMailKeepsCountAndQueueAndTellsOnce) {
    sender.ok = false;
    sender.linesUsed = 3;
    Queue(3);
    const QStringList before = queue;
    Advance(600);
    scheduler->Tick(true);
    EXPECT_EQ(scheduler->AlertsSentCount(), 0);
    EXPECT_EQ(queue, before);
    EXPECT_EQ(scheduler->RemainingSeconds(), 600); // retried next period
    Advance(600);
    scheduler->Tick(true);
    EXPECT_EQ(sender.calls.size(), 2);
    EXPECT_EQ(queue, before);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures.first().contains("connection refused"));

    // A success ends the run; the next failure is told again.
    sender.ok = true;
    Advance(600);
    scheduler->Tick(true);
    EXPECT_EQ(scheduler->AlertsSentCount(), 1);
    EXPECT_TRUE(queue.isEmpty());
    sender.ok = false;
    Queue(1, 50);
    Advance(600);
    scheduler->Tick(true);
    EXPECT_EQ(failures.size(), 2);
}

TEST_F(AlertSchedulerTest, AFailedMailsPicturesGoFirstWithTheNextMail) {
    sender.ok = false;
    Queue(2);
    Advance(600);
    scheduler->Tick(true);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures.first().contains("The pictures stay queued and go with the next alert."));

    // Newer pictures arrive; the next mail (two pictures) carries the failed alert's two.
    Queue(3, 10);
    sender.ok = true;
    sender.linesUsed = 2;
    Advance(600);
    scheduler->Tick(true);
    EXPECT_EQ(sender.calls.last(),
              (QStringList{"1000002.jpg", "1000001.jpg", "1000012.jpg", "1000011.jpg", "1000010.jpg"}));
    EXPECT_EQ(queue, (QStringList{"1000012.jpg", "1000011.jpg", "1000010.jpg"}));

    // Once sent, newest first again.
    Advance(600);
    scheduler->Tick(true);
    EXPECT_EQ(sender.calls.last(), (QStringList{"1000012.jpg", "1000011.jpg", "1000010.jpg"}));

    // Emptied by the set-up panel: nothing is held over.
    sender.ok = false;
    Queue(1, 20);
    Advance(600);
    scheduler->Tick(true);
    scheduler->ClearQueue();
    Queue(2, 30);
    sender.ok = true;
    Advance(600);
    scheduler->Tick(true);
    EXPECT_EQ(sender.calls.last(), (QStringList{"1000031.jpg", "1000030.jpg"}));
}

TEST_F(AlertSchedulerTest, RefusedRecipientsAreCountedAsSentAndTold) {
    sender.linesUsed = 1;
    sender.refused = {"bad@example.org"};
    for (int round = 0; round < 2; ++round) {
        Queue(1, round);
        Advance(600);
        EXPECT_EQ(scheduler->SendNow(), AlertScheduler::SendResult::Sent);
    }
    EXPECT_EQ(scheduler->AlertsSentCount(), 2);
    EXPECT_TRUE(queue.isEmpty());
    // Told once for the same addresses, again when others are refused.
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures.first().contains("refused bad@example.org")) << failures.first().toStdString();
    sender.refused = {"bad@example.org", "worse@example.org"};
    Queue(1, 5);
    scheduler->SendNow();
    ASSERT_EQ(failures.size(), 2);
    EXPECT_TRUE(failures.last().contains("bad@example.org, worse@example.org"));
}

TEST_F(AlertSchedulerTest, PicturesQueuedDuringASendStay) {
    Queue(4);
    sender.linesUsed = 4;
    sender.during = [this] { Queue(2, 100); };
    Advance(600);
    scheduler->Tick(true);
    EXPECT_EQ(queue, (QStringList{"1000101.jpg", "1000100.jpg"}));

    // With clear cue on send as well: only the copy's lines leave.
    clearQueue = true;
    sender.linesUsed = 0;
    sender.during = [this] { Queue(1, 200); };
    Advance(600);
    scheduler->Tick(true);
    EXPECT_EQ(queue, (QStringList{"1000200.jpg"}));
}

TEST_F(AlertSchedulerTest, FtpBusyHoldsTheDispatch) {
    Queue(1);
    sender.linesUsed = 1;
    ftpBusy = true;
    Advance(600);
    scheduler->Tick(true);
    Advance(5);
    AlertTickState state = scheduler->Tick(true);
    EXPECT_TRUE(sender.calls.isEmpty());
    EXPECT_EQ(state.countdown, "    -0:05");
    ftpBusy = false;
    scheduler->Tick(true);
    EXPECT_EQ(sender.calls.size(), 1);
}

TEST_F(AlertSchedulerTest, TickOrSendNowInsideASendCallsNothing) {
    Queue(2);
    sender.linesUsed = 1;
    int probes = 0;
    AlertTickState inside;
    AlertScheduler::SendResult nested{};
    sender.during = [&] {
        scheduler->Links().online = [&] { ++probes; return true; };
        scheduler->Links().ftpBusy = [&] { ++probes; return false; };
        Advance(700);
        inside = scheduler->Tick(true);
        nested = scheduler->SendNow();
    };
    Advance(600);
    scheduler->Tick(true);
    EXPECT_EQ(sender.calls.size(), 1);
    EXPECT_EQ(probes, 0);
    EXPECT_TRUE(inside.sending);
    EXPECT_EQ(nested, AlertScheduler::SendResult::Refused);
    EXPECT_FALSE(scheduler->Sending());
    EXPECT_EQ(queue.size(), 1);
}

TEST_F(AlertSchedulerTest, NothingMailedCountsNothing) {
    scheduler->SetSender(nullptr);
    Queue(5);
    const QStringList before = queue;
    Advance(600);
    scheduler->Tick(true);
    EXPECT_EQ(queue, before);
    EXPECT_EQ(scheduler->RemainingSeconds(), 600);

    // Pictures deleted since they were queued: the sender used the lines but mailed nothing.
    scheduler->SetSender(&sender);
    record.ClearQueueOnSend = true;
    clearQueue = true;
    sender.mailed = false;
    sender.linesUsed = 3;
    EXPECT_EQ(scheduler->SendNow(), AlertScheduler::SendResult::NotMailed);
    EXPECT_EQ(scheduler->AlertsSentCount(), 0);
    EXPECT_EQ(queue, before.mid(3)); // "clear cue" needs a mail: only the used lines go
    EXPECT_TRUE(failures.isEmpty());
}

TEST_F(AlertSchedulerTest, SendNowGuards) {
    EXPECT_EQ(scheduler->SendNow(), AlertScheduler::SendResult::Refused); // empty queue
    Queue(1);
    online = false;
    EXPECT_EQ(scheduler->SendNow(), AlertScheduler::SendResult::Refused);
    online = true;
    sender.linesUsed = 1;
    Advance(100);
    EXPECT_EQ(scheduler->SendNow(), AlertScheduler::SendResult::Sent);
    EXPECT_EQ(scheduler->RemainingSeconds(), 600);
}
