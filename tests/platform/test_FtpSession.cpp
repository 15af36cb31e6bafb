// The FTP session against a pyftpdlib server the test starts on a free loopback port.
#include "platform/FtpSession.h"

#include "support/ServerProcess.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <memory>

using platform::FtpResult;
using platform::FtpSession;
using TestSupport::ReadAll;
using TestSupport::ServerProcess;
using TestSupport::TempProgramFolder;
using TestSupport::WriteAll;

namespace {

const QString kUser = "bob";
const QString kPassword = "s3cret-Pw";

QByteArray RandomBytes(int size) {
    QByteArray data(size, 0);
    for (int i = 0; i < size; ++i)
        data[i] = char(QRandomGenerator::global()->bounded(256));
    data.append("\r\n\n\r\x00\x1a", 6); // bytes an ASCII transfer would change
    return data;
}

// A server on a fresh home folder, a session and everything the session said.
struct Server {
    explicit Server(const QStringList& extra = {}) {
        home = local.path() + "home";
        QDir().mkpath(home);
        started = server.Start("ftp_server.py", QStringList{"--user", kUser, "--password", kPassword, "--home",
                                                            home} + extra);
        QObject::connect(&session, &platform::FtpClient::ControlText, [this](bool sent, const QString& text) {
            log << (sent ? "->> " : "<<- ") + text;
        });
        QObject::connect(&session, &platform::FtpClient::StatusText, [this](const QString& text) { log << text; });
        QObject::connect(&session, &platform::FtpClient::Disconnected, [this] { ++disconnects; });
        platform::NetTimeouts shortened;
        shortened.connectSeconds = 3;
        shortened.responseSeconds = 3;
        shortened.lowSpeedSeconds = 3;
        session.SetTimeouts(shortened);
    }
    QString Host() const { return QString("127.0.0.1:%1").arg(server.Port()); }
    FtpResult Connect(const QString& password = kPassword) { return session.Connect(Host(), kUser, password); }
    QString Home(const QString& name) const { return home + "/" + name; }

    TempProgramFolder local;
    QString home;
    ServerProcess server;
    bool started = false;
    FtpSession session;
    QStringList log;
    int disconnects = 0;
};

} // namespace

TEST(FtpSession, HostsAreTakenAsTypedWithTheirPort) {
    EXPECT_EQ(FtpSession::HostUrl("ftp.example.org"), "ftp://ftp.example.org:21");
    EXPECT_EQ(FtpSession::HostUrl(" 127.0.0.1:2121 "), "ftp://127.0.0.1:2121");
    EXPECT_EQ(FtpSession::HostUrl("[::1]:2100"), "ftp://[::1]:2100");
    QString why;
    for (const char* bad : {"", "user:pw@host", "host/dir", "a b", "host:notaport"}) {
        EXPECT_EQ(FtpSession::HostUrl(bad, &why), "") << bad;
        EXPECT_FALSE(why.isEmpty());
    }
}

TEST(FtpSession, LogsInSendsExactBytesAndWorksOnFolders) {
    for (bool passive : {true, false}) {
        Server s;
        ASSERT_TRUE(s.started) << s.server.Output().toStdString();
        s.session.SetPassive(passive);
        int connects = 0;
        QObject::connect(&s.session, &platform::FtpClient::Connected, [&] { ++connects; });
        const FtpResult in = s.Connect();
        ASSERT_TRUE(in.ok) << in.error.toStdString();
        EXPECT_TRUE(s.session.IsConnected() && connects == 1);
        EXPECT_EQ(s.session.EntryDir(), "/");
        EXPECT_TRUE(s.session.Noop().ok);

        const QByteArray bytes = RandomBytes(300000);
        ASSERT_TRUE(WriteAll(s.local.file("pic.jpg"), bytes));
        QList<qint64> started;
        int ended = 0;
        QObject::connect(&s.session, &platform::FtpClient::TransferStarted, [&](qint64 size) { started << size; });
        QObject::connect(&s.session, &platform::FtpClient::TransferEnded, [&] { ++ended; });
        ASSERT_TRUE(s.session.Put(s.local.file("pic.jpg"), "pic 1.jpg").ok);
        EXPECT_EQ(started, QList<qint64>({bytes.size()}));
        EXPECT_EQ(ended, 1);
        EXPECT_EQ(ReadAll(s.Home("pic 1.jpg")), bytes);
        ASSERT_TRUE(WriteAll(s.local.file("small.jpg"), "small"));

        ASSERT_TRUE(s.session.MakeDir("sub").ok);
        ASSERT_TRUE(s.session.ChangeDir("sub").ok);
        EXPECT_EQ(s.session.CurrentDir(), "/sub");
        ASSERT_TRUE(s.session.Put(s.local.file("small.jpg"), "inner.jpg").ok);
        EXPECT_TRUE(QFileInfo::exists(s.Home("sub/inner.jpg")));
        ASSERT_TRUE(s.session.ChangeDir("..").ok);
        EXPECT_EQ(s.session.CurrentDir(), "/");
        QStringList names;
        for (const platform::FtpEntry& entry : s.session.ListingEntries())
            names << entry.name + (entry.isDirectory ? "/" : "");
        names.sort();
        EXPECT_EQ(names, QStringList({"pic 1.jpg", "sub/"}));

        // A folder that is not there leaves the current one.
        const FtpResult missing = s.session.ChangeDir("nowhere");
        EXPECT_FALSE(missing.ok || missing.error.isEmpty());
        EXPECT_EQ(s.session.CurrentDir(), "/");
        EXPECT_TRUE(s.session.IsConnected());

        EXPECT_FALSE(s.session.RemoveDir("sub").ok); // not empty
        ASSERT_TRUE(s.session.Delete("sub/inner.jpg").ok);
        ASSERT_TRUE(s.session.RemoveDir("sub").ok);
        ASSERT_TRUE(s.session.Delete("pic 1.jpg").ok);
        EXPECT_EQ(QDir(s.home).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        EXPECT_FALSE(s.session.Put(s.local.file("small.jpg"), "a\r\nDELE x").ok);

        // The protocol log has the exchange, the password never.
        const QString all = s.log.join("\n");
        EXPECT_TRUE(all.contains("->> PASS ****")) << all.toStdString();
        EXPECT_FALSE(all.contains(kPassword));
        EXPECT_TRUE(all.contains(passive ? "EPSV" : "EPRT")) << all.toStdString();

        s.session.Disconnect();
        EXPECT_FALSE(s.session.IsConnected());
        EXPECT_EQ(s.disconnects, 1);
        EXPECT_FALSE(s.session.List().ok);
    }
}

TEST(FtpSession, BadPasswordStaysDisconnectedWithoutShowingThePassword) {
    Server s;
    ASSERT_TRUE(s.started);
    const FtpResult in = s.Connect("wrong-Secret");
    EXPECT_FALSE(in.ok || in.error.isEmpty());
    EXPECT_FALSE(in.error.contains("wrong-Secret"));
    EXPECT_FALSE(s.session.IsConnected());
    EXPECT_FALSE(s.log.join("\n").contains("wrong-Secret"));
    // Then the right one works on the same session.
    EXPECT_TRUE(s.Connect().ok);
}

TEST(FtpSession, SilentServerAndStalledDataEndWithinTheirTimeouts) {
    Server silent({"--silent"});
    ASSERT_TRUE(silent.started);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(silent.Connect().ok);
    EXPECT_LT(clock.elapsed(), 15000);
    EXPECT_FALSE(silent.session.IsConnected());

    Server stalled({"--stall-data"});
    ASSERT_TRUE(stalled.started);
    ASSERT_TRUE(stalled.Connect().ok);
    clock.restart();
    EXPECT_FALSE(stalled.session.List().ok);
    EXPECT_LT(clock.elapsed(), 15000);
    EXPECT_FALSE(stalled.session.Busy());
}

TEST(FtpSession, LostServerCountsAsDisconnected) {
    Server s;
    ASSERT_TRUE(s.started);
    ASSERT_TRUE(s.Connect().ok);
    s.server.Stop();
    EXPECT_FALSE(s.session.List().ok);
    EXPECT_FALSE(s.session.IsConnected());
    EXPECT_EQ(s.disconnects, 1);
}

TEST(FtpSession, AReplyWithoutEndFailsAtTheLimitAndTheSessionStillUploads) {
    const struct {
        const char* option;
        std::function<FtpResult(FtpSession&)> call;
        qint64 limit;
        const char* told;
    } floods[] = {{"--endless-list", [](FtpSession& s) { return s.List(); }, FtpSession::kMaxListingBytes,
                   "listing is longer than 4 MB"},
                  {"--endless-mkd", [](FtpSession& s) { return s.MakeDir("new"); }, FtpSession::kMaxControlReplyBytes,
                   "reply is longer than 256 KB"}};
    for (const auto& flood : floods) {
        SCOPED_TRACE(flood.option);
        TempProgramFolder scratch;
        const QString events = scratch.file("events.txt");
        Server s({flood.option, "--events", events});
        ASSERT_TRUE(s.started) << s.server.Output().toStdString();
        ASSERT_TRUE(s.Connect().ok);

        const qsizetype logBefore = s.log.size();
        const FtpResult flooded = flood.call(s.session);
        const QStringList floodLog = s.log.mid(logBefore);
        EXPECT_FALSE(flooded.ok || flooded.aborted || flooded.refused);
        EXPECT_TRUE(flooded.error.contains(flood.told)) << flooded.error.toStdString();
        EXPECT_TRUE(s.session.ListingLines().isEmpty());
        // The server stopped handing out the reply soon after the limit (the socket buffers
        // hold some), far below its own cap: the session read no further.
        ASSERT_TRUE(TestSupport::WaitFor([&] { return ReadAll(events).contains("SENT "); }, 30000));
        const qint64 sent = QString::fromLatin1(ReadAll(events)).section("SENT ", 1).section('\n', 0, 0).toLongLong();
        EXPECT_GT(sent, flood.limit);
        EXPECT_LT(sent, flood.limit + 64 * 1024 * 1024);
        // No more of the reply than the limit reached the protocol log.
        qint64 logged = 0;
        for (const QString& line : floodLog)
            logged += line.startsWith("<<- ") ? line.size() - 4 : 0;
        EXPECT_LE(logged, flood.limit);

        // The session goes on: it is still connected and the next upload arrives whole.
        EXPECT_TRUE(s.session.IsConnected());
        EXPECT_EQ(s.disconnects, 0);
        ASSERT_TRUE(WriteAll(s.local.file("pic.jpg"), RandomBytes(20000)));
        const FtpResult put = s.session.Put(s.local.file("pic.jpg"), "after.jpg");
        ASSERT_TRUE(put.ok) << put.error.toStdString();
        EXPECT_EQ(ReadAll(s.Home("after.jpg")), ReadAll(s.local.file("pic.jpg")));
    }
}
