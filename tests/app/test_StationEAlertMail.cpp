// The e-alert from a saved picture to the mail a loopback SMTP server receives: the main
// window, the real picture store, the schedule, the composer and the SMTP client, on a fake
// clock.
#include "MainWindowFixture.h"

#include "app/StationAlerts.h"
#include "app/StationEAlertMail.h"
#include "app/StationLayout.h"
#include "core/PictureStore.h"
#include "tests/support/SmtpSink.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QLineEdit>
#include <QTest>
#include <utility>

namespace {

class StationEAlertMailTest : public MainWindowFixture {
protected:
    qint64 clockMs = 0;
    bool online = true;
    TestSupport::SmtpSink sink;
    std::unique_ptr<PictureStore> pictures;
    std::unique_ptr<StationEAlertMail> mail;
    std::unique_ptr<StationAlerts> alerts;
    std::unique_ptr<StationLayout> layout;

    // The station with alerts every 10 minutes, at most 3 pictures (times the format); laid
    // out by the station's own layout when asked.
    void StartStation(int format, quint16 smtpPort, bool laidOut = false) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        WriteSettings([format](SettingsRecord& r) {
            r.AlertPeriodMinutes = 10;
            r.AlertMaxImages = 3;
            r.AlertFormat = qint16(format);
            r.EmailLimit = 0;
            r.DialUp = false;
            r.ClearQueueOnSend = false;
            r.SiteLocation = "Gate";
        });
        Create();
        if (laidOut) {
            layout = std::make_unique<StationLayout>(*mainWindow, [](QWidget&, bool) {});
            links.layout = layout.get();
        }
        pictures = std::make_unique<PictureStore>(*store);
        const auto now = [] { return QDateTime(QDate(2026, 12, 6), QTime(9, 30, 15)); };
        StationEAlertMailLinks mailLinks;
        mailLinks.now = now;
        mailLinks.online = [this] { return online; };
        mailLinks.smtpPort = smtpPort;
        mailLinks.timeouts.connectSeconds = 5;
        mailLinks.timeouts.responseSeconds = 5;
        mail = std::make_unique<StationEAlertMail>(*mainWindow, *store, mailLinks);
        StationAlertsLinks machine;
        machine.monotonicMs = [this] { return clockMs; };
        machine.online = [this] { return online; };
        machine.now = now;
        alerts = std::make_unique<StationAlerts>(*store, links, *pictures, flags, machine);
        alerts->BindMainWindow(*mainWindow);
        alerts->SetSender(&mail->Sender());
        links.alerts = alerts.get();
        mainWindow->show();
        ASSERT_TRUE(TestSupport::WaitFor([this] { return !flags.StartupGuard; }));
        mainWindow->clockTimer.SetEnabled(false); // ticks come from the test

        mainWindow->smtpEdit->setText(" 127.0.0.1 ");
        mainWindow->replyAddressEdit->setText("station@example.com");
        mainWindow->alertEmailEdit->setText("watch@example.com, guard@example.org");
        mainWindow->alertsActiveBox->click();
        ASSERT_TRUE(mainWindow->alertsActiveBox->isChecked());
        mainWindow->GatherAndSaveSettings(); // the setting follows the box: pictures are queued
        ASSERT_TRUE(store->Record().NotifyActive);
    }

    void SavePictures(int count) {
        for (int i = 0; i < count; ++i) {
            QImage frame(320, 240, QImage::Format_RGB888);
            frame.fill(QColor::fromHsv((i * 70) % 360, 200, 220));
            ASSERT_TRUE(pictures->SaveMotionPicture(frame, 1));
        }
    }

    void EndPeriod() {
        clockMs += 600'000;
        mainWindow->clockTimer.Timeout();
    }

    void TearDown() override {
        mainWindow.reset();
        layout.reset();
        alerts.reset();
        mail.reset();
        pictures.reset();
        MainWindowFixture::TearDown();
        QLocale::setDefault(QLocale::c());
    }

    // The pictures of the mail's related part, after checking that every cid resolves.
    static QJsonArray RelatedPictures(const QJsonObject& tree) {
        const QJsonArray related =
            tree["children"][0]["children"][1]["children"].toArray();
        const QString html = related[0]["text"].toString();
        QJsonArray out;
        for (qsizetype i = 1; i < related.size(); ++i) {
            const QString id = related[i]["content_id"].toString();
            EXPECT_TRUE(id.startsWith('<') && id.endsWith('>'));
            EXPECT_TRUE(html.contains("cid:" + id.mid(1, id.size() - 2) + "\"")) << id.toStdString();
            out << related[i];
        }
        EXPECT_EQ(html.count("cid:"), out.size());
        return out;
    }
};

} // namespace

TEST_F(StationEAlertMailTest, SinglePicturesArriveAndTheQueueIsEmptied) {
    ASSERT_TRUE(sink.Start()) << sink.Output().toStdString();
    StartStation(0, sink.Port());

    SavePictures(2);
    const QStringList queued = pictures->EAlertBuffer();
    ASSERT_EQ(queued.size(), 2);
    EndPeriod();
    ASSERT_TRUE(sink.WaitForMessages(1));
    EXPECT_EQ(alerts->Scheduler().AlertsSentCount(), 1);
    EXPECT_TRUE(pictures->EAlertBuffer().isEmpty());
    const QJsonObject tree = TestSupport::MailTree(sink.Messages()[0]);
    EXPECT_EQ(std::as_const(tree)["headers"]["Subject"].toString(), "Images from Gate 09:30 06:December:2026");
    const QJsonObject envelope = sink.Envelope(sink.Messages()[0]);
    EXPECT_EQ(envelope["mail_from"].toString(), "station@example.com");
    EXPECT_EQ(envelope["rcpt_tos"].toArray().size(), 2);
    const QJsonArray parts = RelatedPictures(tree);
    ASSERT_EQ(parts.size(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(parts[i]["content_id"].toString(), "<0" + queued[i].mid(1) + ">");
        const QByteArray saved = TestSupport::ReadAll(store->CameraFolder(1) + queued[i].mid(1));
        EXPECT_EQ(parts[i]["sha256"].toString(),
                  QCryptographicHash::hash(saved, QCryptographicHash::Sha256).toHex());
    }
}

TEST_F(StationEAlertMailTest, AServerThatIsDownKeepsQueueAndCountUntilItIsBack) {
    ASSERT_TRUE(sink.Start("refuse")) << sink.Output().toStdString();
    const quint16 port = sink.Port();
    StartStation(0, port);

    SavePictures(1);
    EndPeriod();
    SavePictures(1); // the station goes on saving and queueing
    EndPeriod();
    QCoreApplication::processEvents();
    EXPECT_EQ(alerts->Scheduler().AlertsSentCount(), 0);
    EXPECT_EQ(pictures->EAlertBuffer().size(), 2);
    EXPECT_EQ(pictures->PictureCount(1), 2);
    ASSERT_TRUE(TestSupport::WaitFor([this] { return !messages.isEmpty(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.size(), 1) << messages.join(" | ").toStdString();
    EXPECT_TRUE(messages.value(0).contains("could not be sent"));

    sink.Stop();
    ASSERT_TRUE(sink.Start("accept", port)) << sink.Output().toStdString();
    EndPeriod();
    ASSERT_TRUE(sink.WaitForMessages(1));
    EXPECT_EQ(alerts->Scheduler().AlertsSentCount(), 1);
    EXPECT_TRUE(pictures->EAlertBuffer().isEmpty());
    EXPECT_EQ(RelatedPictures(TestSupport::MailTree(sink.Messages()[0])).size(), 2);
}

TEST_F(StationEAlertMailTest, ADueAlertGoesOutOnAFullViewAndATakePicReleaseWithoutTheClock) {
    ASSERT_TRUE(sink.Start()) << sink.Output().toStdString();
    StartStation(0, sink.Port(), true);

    SavePictures(1);
    clockMs += 600'000; // the period has run out; the clock timer stays off
    layout->RestoreFullView();
    ASSERT_TRUE(sink.WaitForMessages(1));
    EXPECT_EQ(alerts->Scheduler().AlertsSentCount(), 1);

    SavePictures(1);
    clockMs += 600'000;
    QTest::mouseClick(mainWindow->takePicture1Button, Qt::LeftButton); // camera 1 is off: no picture
    ASSERT_TRUE(sink.WaitForMessages(2));
    EXPECT_EQ(alerts->Scheduler().AlertsSentCount(), 2);
    EXPECT_TRUE(pictures->EAlertBuffer().isEmpty());
}
