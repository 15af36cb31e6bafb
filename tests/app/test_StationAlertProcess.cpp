// The built station with a test camera, run as its own process in an empty folder: motion
// pictures go out as an e-alert to a loopback SMTP server on a free port (the host written
// "127.0.0.1:port"), reaching the recipient the server accepts although it refuses the
// other, and the station goes on saving pictures once the server is gone.
#include "StationProcessRun.h"
#include "tests/support/SmtpSink.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <gtest/gtest.h>

using TestSupport::WaitFor;
using namespace StationProcessRun;

namespace {

int PictureCount(const QString& folder) {
    return int(QDir(folder).entryList({"*.jpg"}, QDir::Files).size());
}

} // namespace

TEST(StationAlertProcess, MotionPicturesArriveAsAnAlertAndTheStationOutlivesTheServer) {
    TestSupport::SmtpSink sink;
    ASSERT_TRUE(sink.Start("accept", 0, 2, {"bad@example.org"})) << sink.Output().toStdString();

    TestSupport::TempProgramFolder folder;
    const QString exe = CopyStation(folder);
    ASSERT_FALSE(exe.isEmpty()) << BuiltStation().toStdString();

    // A period of 0 sends as soon as a picture is queued, three single pictures at most.
    ASSERT_TRUE(
        WriteMotionSettings(folder.path(), exe, [&](SettingsRecord& r, EmailSettingsRecord& mail) {
            r.NotifyActive = true;
            r.AlertPeriodMinutes = 0;
            r.AlertMaxImages = 3;
            r.AlertFormat = 0;
            r.EmailLimit = 0;
            r.DialUp = false;
            r.SiteLocation = "Gate";
            r.AlertEmail = "good@example.org, bad@example.org";
            mail.SmtpHost = QStringLiteral("127.0.0.1:%1").arg(sink.Port());
            mail.ReplyAddress = "station@example.org";
        }));

    // The server goes away once it has the alert: the station keeps saving pictures, and
    // SIGTERM still ends it.
    const QString cam1 = folder.file("cam1");
    const auto alerted = [&] {
        ASSERT_TRUE(sink.WaitForMessages(1, 60000));
        sink.Stop();
        const int before = PictureCount(cam1);
        EXPECT_TRUE(WaitFor([&] { return PictureCount(cam1) >= before + 2; }, 60000));
    };
    const Outcome run = RunAndTerminate(exe, {}, "The station is ready", {"TORVEK_TEST_CAMERAS=1"},
                                        30000, alerted);
    EXPECT_EQ(run.failure, QString());
    // The log names the recipient the server refused.
    EXPECT_TRUE(run.output.contains("refused bad@example.org")) << run.output.toStdString();
    ASSERT_FALSE(sink.Messages().isEmpty());
    EXPECT_EQ(sink.Envelope(sink.Messages().first())["rcpt_tos"].toArray().toVariantList(),
              QVariantList{"good@example.org"});

    const QJsonObject tree = TestSupport::MailTree(sink.Messages().first());
    EXPECT_TRUE(tree["headers"].toObject()["Subject"].toString().startsWith("Images from Gate "));
    const QJsonArray related = tree["children"].toArray()[0].toObject()["children"].toArray()[1]
                                   .toObject()["children"].toArray();
    ASSERT_GE(related.size(), 2);
    const QString html = related[0].toObject()["text"].toString();
    QStringList ids;
    for (qsizetype i = 1; i < related.size(); ++i)
        ids << related[i].toObject()["content_id"].toString();
    int refs = 0;
    for (auto it = QRegularExpression("cid:([^\"]+)\"").globalMatch(html); it.hasNext(); ++refs)
        EXPECT_EQ(ids.count("<" + it.next().captured(1) + ">"), 1);
    EXPECT_EQ(refs, ids.size());
    EXPECT_LE(ids.size(), 3);
}
