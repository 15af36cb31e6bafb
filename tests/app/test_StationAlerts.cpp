// The e-alerts in the main window: the tab's checks, the schedule over the picture store's
// queue and the painted blocks.
#include "TzonesFixture.h"

#include "app/StationAlerts.h"
#include "core/PictureStore.h"
#include "publish/AlertPaintBoxes.h"
#include "publish/AlertsTab.h"

#include <QLineEdit>
#include <QTest>

namespace {

class CopySender : public AlertSender {
public:
    QList<QStringList> calls;
    AlertSendResult SendEAlert(const QStringList& queueCopy) override {
        calls << queueCopy;
        return {int(queueCopy.size()), true, true, {}, {}};
    }
};

class StationAlertsTest : public TzonesFixture {
protected:
    qint64 clockMs = 0;
    bool online = true;
    CopySender sender;
    std::unique_ptr<PictureStore> pictures;
    std::unique_ptr<StationAlerts> alerts;

    void StartAlerts() {
        WriteSettings([](SettingsRecord& r) {
            r.AlertPeriodMinutes = 10;
            r.AlertMaxImages = 3;
            r.AlertFormat = 1;
            r.EmailLimit = 0;
            r.DialUp = false;
        });
        pictures = std::make_unique<PictureStore>(*store);
        StationAlertsLinks machine;
        machine.monotonicMs = [this] { return clockMs; };
        machine.online = [this] { return online; };
        machine.now = [] { return QDateTime(QDate(2026, 12, 6), QTime(9, 30, 15)); };
        alerts = std::make_unique<StationAlerts>(*store, links, *pictures, flags, machine);
        alerts->SetSender(&sender);
        links.alerts = alerts.get();
        Create();
        alerts->BindMainWindow(*zones);
        zones->show();
        ASSERT_TRUE(TestSupport::WaitFor([this] { return !flags.StartupGuard; }));
        zones->Timerclock.SetEnabled(false); // ticks come from the test
    }

    void TearDown() override {
        zones.reset();
        alerts.reset();
        pictures.reset();
        TzonesFixture::TearDown();
    }
};

} // namespace

TEST_F(StationAlertsTest, SavedPictureGoesToTheSenderWhenThePeriodEnds) {
    StartAlerts();
    zones->smtpEdit->setText("mail.example.com");
    zones->ReplyEmailAddressText->setText("me@example.com");
    zones->AlertEmail->setText("you@example.com, them@example.org");
    zones->NotifyActive->click();
    ASSERT_TRUE(zones->NotifyActive->isChecked());
    zones->GatherAndSaveSettings(); // the setting follows the box: pictures are queued
    ASSERT_TRUE(store->Record().NotifyActive);

    QImage frame(64, 48, QImage::Format_RGB888);
    frame.fill(Qt::darkGreen);
    ASSERT_TRUE(pictures->SaveMotionPicture(frame, 1));
    ASSERT_EQ(pictures->EAlertBuffer().size(), 1);
    const QString entry = pictures->EAlertBuffer().first();
    EXPECT_TRUE(entry.startsWith("1") && entry.endsWith(".jpg"));

    zones->Panel1->show();
    clockMs = (10 * 60 - 5) * 1000;
    links.alerts->ClockTick();
    EXPECT_TRUE(sender.calls.isEmpty());
    EXPECT_EQ(zones->Label40->text(), "Sent 00000 Next     0:05 Cue 001");
    EXPECT_TRUE(zones->PaintBox2->ShowsAlerts());
    EXPECT_EQ(zones->PaintBox1->TimeText(), "09:30:15");

    clockMs += 5000;
    zones->Timerclock.Timeout(); // the clock timer's own tick
    ASSERT_EQ(sender.calls.size(), 1);
    EXPECT_EQ(sender.calls.first(), QStringList{entry});
    EXPECT_TRUE(pictures->EAlertBuffer().isEmpty());
    EXPECT_EQ(alerts->Scheduler().AlertsSentCount(), 1);
    EXPECT_EQ(zones->Label40->text(), "Sent 00001 Next     10:00 Cue 000");

    // Hiding the set-up panel starts a new period with an empty queue.
    ASSERT_TRUE(pictures->SaveMotionPicture(frame, 1));
    clockMs += 60'000;
    links.alerts->RestartAlertPeriod();
    EXPECT_TRUE(pictures->EAlertBuffer().isEmpty());
    EXPECT_EQ(alerts->Scheduler().RemainingSeconds(), 600);
}
