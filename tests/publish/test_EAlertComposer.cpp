// The alert composer with a transport that only records: what goes into the mail, which
// lines count as used, and when nothing may go.
#include "publish/EAlertComposer.h"

#include "platform/Jpeg.h"
#include "publish/EAlertPage.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using platform::MailMessage;
using platform::MailSendResult;
using TestSupport::ReadAll;

namespace {

class RecordingTransport : public platform::MailTransport {
public:
    MailSendResult Send(const QString& host, const MailMessage& message) override {
        hosts << host;
        messages << message;
        if (during) during();
        return result;
    }
    QStringList hosts;
    QList<MailMessage> messages;
    MailSendResult result{true, {}, {}};
    std::function<void()> during;
};

class EAlertComposerTest : public ::testing::Test {
protected:
    EAlertComposerTest() : composer([this] { return snapshot; }, transport) {
        QDir root(dir.path());
        root.mkdir("cam1");
        root.mkdir("cam2");
        root.mkdir("history");
        snapshot.cameraFolders[0] = dir.path() + "cam1/";
        snapshot.cameraFolders[1] = dir.path() + "cam2/";
        snapshot.cameraFolders[2] = dir.path() + "history/";
        snapshot.programFolder = dir.path();
        snapshot.siteLocation = "Yard";
        snapshot.smtpHost = " mail.example.org ";
        snapshot.sender = " station@example.org ";
        snapshot.recipients = "a@example.org, b@example.org";
        snapshot.now = QDateTime(QDate(2026, 12, 6), QTime(20, 43, 17));
        snapshot.locale = QLocale(QLocale::English, QLocale::UnitedKingdom);
        snapshot.dialUp = false;
    }

    // Queue lines "1000001p.jpg" ... newest first, each a small JPEG with a two-line note.
    QStringList MakeQueue(int count, int digit = 1) {
        QStringList queue;
        for (int i = count; i >= 1; --i) {
            const QString name = QStringLiteral("%1p.jpg").arg(i, 6, 10, QChar('0'));
            QImage image(64, 48, QImage::Format_RGB888);
            image.fill(QColor::fromHsv((i * 37) % 360, 255, 255));
            const QString folder = snapshot.cameraFolders[digit - 1];
            EXPECT_TRUE(platform::SaveJpeg(image, 90, folder + name));
            TestSupport::WriteAll(folder + name.left(name.size() - 4) + ".txt",
                                  QStringLiteral("Picture %1\r\nCamera %2\r\n").arg(i).arg(digit).toLatin1());
            queue << QString::number(digit) + name;
        }
        return queue;
    }
    QString PathOf(const QString& line) {
        return snapshot.cameraFolders[line[0].digitValue() - 1] + line.mid(1);
    }
    static QStringList ContentIds(const MailMessage& m) {
        QStringList ids;
        for (const auto& part : m.inlineParts) ids << part.contentId;
        return ids;
    }
    // Every picture the page shows is one the mail carries, and every one it carries shows.
    static void ExpectThePageShowsEveryPart(const MailMessage& m) {
        QStringList shown;
        for (auto it = QRegularExpression("cid:([^\"]+)\"").globalMatch(m.html); it.hasNext();)
            shown << it.next().captured(1);
        EXPECT_EQ(shown, ContentIds(m)) << m.html.toStdString();
    }

    TestSupport::TempProgramFolder dir;
    EAlertSnapshot snapshot;
    RecordingTransport transport;
    EAlertComposer composer;
};

} // namespace

TEST_F(EAlertComposerTest, SinglePicturesCarryTheNewestUpToTheMaximumWithTheirNotes) {
    snapshot.alertMaxImages = 5;
    const QStringList queue = MakeQueue(6);
    const AlertSendResult r = composer.SendEAlert(queue);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_TRUE(r.mailed);
    EXPECT_EQ(r.linesUsed, 5);
    ASSERT_EQ(transport.messages.size(), 1);
    EXPECT_EQ(transport.hosts.first(), "mail.example.org");
    const MailMessage& m = transport.messages.first();
    EXPECT_EQ(m.from, "station@example.org");
    EXPECT_EQ(m.recipients, QStringList({"a@example.org", "b@example.org"}));
    EXPECT_EQ(m.subject, "Images from Yard 20:43 06:December:2026");
    EXPECT_EQ(m.plain, AlertPlainText());
    ASSERT_EQ(m.inlineParts.size(), 5);
    for (int i = 0; i < 5; ++i) {
        const QString name = queue[i].mid(1);
        EXPECT_EQ(m.inlineParts[i].contentId + m.inlineParts[i].fileName, "0" + name + "0" + name);
        EXPECT_EQ(m.inlineParts[i].data, ReadAll(PathOf(queue[i])));
        EXPECT_TRUE(m.html.contains("<img src=\"cid:0" + name + "\">"));
    }
    EXPECT_FALSE(m.html.contains(queue[5].mid(1)));
    // The page is also left in the program folder, and no picture copies are made.
    EXPECT_EQ(QString::fromLatin1(ReadAll(dir.file("temp.txt"))), m.html);
    EXPECT_EQ(QDir(dir.path()).entryList({"0*"}), QStringList());
    ExpectThePageShowsEveryPart(m);
}

TEST_F(EAlertComposerTest, OneQueuedPictureGoesSinglyWhateverTheFormat) {
    snapshot.alertMaxImages = 1;
    snapshot.alertImageCount = 9;
    const QStringList queue = MakeQueue(1, 2);
    for (int format : {1, 2}) {
        SCOPED_TRACE(format);
        transport.messages.clear();
        snapshot.alertFormat = format;
        EXPECT_EQ(composer.SendEAlert(queue).linesUsed, 1);
        ASSERT_EQ(transport.messages.size(), 1);
        EXPECT_EQ(ContentIds(transport.messages.first()), QStringList({"0" + queue[0].mid(1)}));
        EXPECT_FALSE(QDir(dir.path() + "temp").exists());
    }
}

TEST_F(EAlertComposerTest, AMissingPictureIsLeftOutAndNoneReadableSendsNothing) {
    snapshot.alertMaxImages = 5;
    QStringList queue = MakeQueue(3);
    QFile::remove(PathOf(queue[1]));
    queue << "9unknown.jpg"; // no folder for the digit
    snapshot.alertMaxImages = 4;
    AlertSendResult r = composer.SendEAlert(queue);
    EXPECT_EQ(r.linesUsed, 4);
    ASSERT_EQ(transport.messages.size(), 1);
    const MailMessage& m = transport.messages.first();
    ASSERT_EQ(m.inlineParts.size(), 2);
    EXPECT_FALSE(m.html.contains(queue[1].mid(1)));

    // Not one picture left: the lines count as used, but no mail goes.
    transport.messages.clear();
    for (const QString& line : queue.mid(0, 3)) QFile::remove(PathOf(line));
    r = composer.SendEAlert(queue.mid(0, 3));
    EXPECT_TRUE(r.ok);
    EXPECT_FALSE(r.mailed);
    EXPECT_EQ(r.linesUsed, 3);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_TRUE(transport.messages.isEmpty());

    // Nor as proof sheets: black cells alone are no alert.
    snapshot.alertFormat = 1;
    snapshot.alertImageCount = 8;
    r = composer.SendEAlert(queue.mid(0, 3));
    EXPECT_FALSE(r.mailed);
    EXPECT_EQ(r.linesUsed, 3);
    EXPECT_TRUE(transport.messages.isEmpty());
}

TEST_F(EAlertComposerTest, ProofSheetsTravelFromMemoryInNumericOrder) {
    const QString temp = dir.path() + "temp/";
    QDir().mkpath(temp);
    TestSupport::WriteAll(temp + "ealerts7.jpg", "stale");
    TestSupport::WriteAll(temp + "keep.jpg", "not ours");

    snapshot.alertFormat = 1; // 2 x 2
    snapshot.alertMaxImages = 2;
    snapshot.alertImageCount = 8;
    const QStringList queue = MakeQueue(6);
    AlertSendResult r = composer.SendEAlert(queue);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.linesUsed, 6);
    ASSERT_EQ(transport.messages.size(), 1);
    const MailMessage& m = transport.messages.first();
    ASSERT_EQ(ContentIds(m), QStringList({"ealerts1.jpg", "ealerts2.jpg"}));
    QImage sheet;
    ASSERT_TRUE(platform::DecodeJpeg(m.inlineParts[1].data, &sheet));
    ExpectThePageShowsEveryPart(m);
    EXPECT_EQ(QString::fromLatin1(ReadAll(temp + "temp.txt")), m.html);
    EXPECT_EQ(QDir(temp).entryList(QDir::Files), QStringList({"keep.jpg", "temp.txt"}));

    // Thirteen 2x2 sheets: ealerts10 comes after ealerts9.
    transport.messages.clear();
    snapshot.alertMaxImages = 13;
    snapshot.alertImageCount = 52;
    snapshot.dialUp = true;
    r = composer.SendEAlert(MakeQueue(52, 2));
    EXPECT_EQ(r.linesUsed, 52);
    ASSERT_EQ(transport.messages.size(), 1);
    QStringList expected;
    for (int k = 1; k <= 13; ++k) expected << QStringLiteral("ealerts%1.jpg").arg(k);
    EXPECT_EQ(ContentIds(transport.messages.first()), expected);
    ExpectThePageShowsEveryPart(transport.messages.first());
    EXPECT_LT(transport.messages.first().html.indexOf("ealerts9.jpg"),
              transport.messages.first().html.indexOf("ealerts10.jpg"));
}

TEST_F(EAlertComposerTest, FailuresAreReportedAndNothingCountsAsUsed) {
    snapshot.alertMaxImages = 5;
    const QStringList queue = MakeQueue(2);
    transport.result = {false, "Couldn't connect to server", {}};
    AlertSendResult r = composer.SendEAlert(queue);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.mailed);
    EXPECT_EQ(r.linesUsed, 0);
    EXPECT_TRUE(r.error.contains("Couldn't connect to server"));

    // Nothing is drawn or sent without a connection, a host, a sender or a recipient.
    transport.messages.clear();
    auto refused = [&](auto change) {
        EAlertSnapshot saved = snapshot;
        change(snapshot);
        const AlertSendResult res = composer.SendEAlert(queue);
        snapshot = saved;
        return !res.ok && !res.mailed && res.linesUsed == 0 && !res.error.isEmpty();
    };
    EXPECT_TRUE(refused([](EAlertSnapshot& s) { s.online = false; }));
    EXPECT_TRUE(refused([](EAlertSnapshot& s) { s.smtpHost = "  "; }));
    EXPECT_TRUE(refused([](EAlertSnapshot& s) { s.sender = "nobody"; }));
    EXPECT_TRUE(refused([](EAlertSnapshot& s) { s.recipients = " , "; }));
    EXPECT_TRUE(transport.messages.isEmpty());
}

TEST_F(EAlertComposerTest, ASecondAlertWhileOneIsInFlightIsRefused) {
    snapshot.alertMaxImages = 5;
    const QStringList queue = MakeQueue(2);
    AlertSendResult nested;
    transport.during = [&] { nested = composer.SendEAlert(queue); };
    EXPECT_TRUE(composer.SendEAlert(queue).ok);
    EXPECT_FALSE(nested.ok);
    EXPECT_EQ(nested.linesUsed, 0);
    EXPECT_EQ(nested.error, "An e-alert is already being sent.");
    EXPECT_EQ(transport.messages.size(), 1);
}

// A picture that arrives only when the GUI thread's timer sends it: reading it on the GUI
// thread would never finish, so the composer must read and draw on a worker.
TEST_F(EAlertComposerTest, PicturesAreReadAndDrawnWhileTheGuiThreadRuns) {
    for (int format : {0, 1}) {
        SCOPED_TRACE(format);
        snapshot.alertFormat = format;
        snapshot.alertMaxImages = 5;
        snapshot.alertImageCount = 20;
        QStringList queue = MakeQueue(3);
        const QString path = PathOf(queue[1]);
        const QByteArray bytes = ReadAll(path);
        QFile::remove(path);
        ASSERT_EQ(mkfifo(path.toLocal8Bit().constData(), 0600), 0);

        std::atomic<bool> fedByTimer{false};
        std::thread writer;
        QTimer::singleShot(100, [&] {
            writer = std::thread([&] {
                const int fd = ::open(path.toLocal8Bit().constData(), O_WRONLY);
                if (fd < 0) return;
                fedByTimer = true;
                [[maybe_unused]] auto n = ::write(fd, bytes.constData(), size_t(bytes.size()));
                ::close(fd);
            });
        });
        // Safety net: never leave the test hanging if the read ran on this thread.
        std::thread net([&] {
            for (int waited = 0; waited < 10000 && !fedByTimer; waited += 20)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (!fedByTimer) {
                const int fd = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) ::close(fd);
            }
        });
        const AlertSendResult r = composer.SendEAlert(queue);
        net.join();
        if (writer.joinable()) writer.join();
        EXPECT_TRUE(fedByTimer);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.linesUsed, 3);
        if (format == 0) {
            ASSERT_EQ(transport.messages.last().inlineParts.size(), 3);
            EXPECT_EQ(transport.messages.last().inlineParts[1].data, bytes);
        }
        QFile::remove(path);
    }
}
