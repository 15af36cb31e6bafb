// A mail or FTP client that gives up on a server never waits for that server's answer to its
// goodbye: servers that never answer (one that says nothing at all, and real ones frozen with
// SIGSTOP after a good exchange) with replies waited for 600 s, so any wait shows.
#include "platform/FtpSession.h"
#include "platform/SmtpClient.h"

#include "support/ServerProcess.h"
#include "support/SmtpSink.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>

using TestSupport::WaitFor;

namespace {

// Far beyond the bound below: a close that waits for a reply cannot pass.
platform::NetTimeouts Patient() {
    platform::NetTimeouts t;
    t.connectSeconds = 30;
    t.responseSeconds = 600;
    t.lowSpeedSeconds = 600;
    return t;
}
constexpr int kNoWaitMs = 20000;

platform::MailMessage Mail() {
    platform::MailMessage m;
    m.from = "station@example.org";
    m.recipients = {"watch@example.org"};
    m.subject = "Alert";
    m.plain = "text";
    return m;
}

// Stops the server for the rest of the case and lets it go on at the end.
struct Frozen {
    explicit Frozen(qint64 pid) : pid_(pid) { ::kill(pid_t(pid_), SIGSTOP); }
    ~Frozen() { ::kill(pid_t(pid_), SIGCONT); }
    qint64 pid_;
};

} // namespace

TEST(AbandonedServers, AMailClientGoesAtOnceAfterAnAbortedSendOrFromAFrozenServer) {
    for (const bool answersFirst : {false, true}) {
        SCOPED_TRACE(answersFirst ? "a server that sent one mail, then froze" : "a server that never says a word");
        TestSupport::SmtpSink sink;
        ASSERT_TRUE(sink.Start(answersFirst ? "accept" : "hang")) << sink.Output().toStdString();
        auto client = std::make_unique<platform::SmtpClient>(sink.Port(), Patient());
        std::unique_ptr<Frozen> frozen;
        if (answersFirst) {
            const platform::MailSendResult sent = client->Send("127.0.0.1", Mail());
            ASSERT_TRUE(sent.ok) << sent.error.toStdString();
            frozen = std::make_unique<Frozen>(sink.Pid()); // the connection stays open for the next mail
        } else {
            // The station's end aborts the send that waits for the greeting.
            QTimer::singleShot(500, [&client] { client->Abort(); });
            const platform::MailSendResult sent = client->Send("127.0.0.1", Mail());
            EXPECT_FALSE(sent.ok);
        }
        QElapsedTimer took;
        took.start();
        client.reset();
        EXPECT_LT(took.elapsed(), kNoWaitMs);
    }
}

TEST(AbandonedServers, AnFtpSessionLeavesAFrozenServerWithoutWaitingForItsGoodbye) {
    TestSupport::TempProgramFolder home;
    TestSupport::ServerProcess server;
    ASSERT_TRUE(server.Start("ftp_server.py", {"--user", "bob", "--password", "pw", "--home", home.path()}))
        << server.Output().toStdString();
    for (const bool disconnectFirst : {true, false}) {
        SCOPED_TRACE(disconnectFirst ? "Disconnect, then gone" : "gone while connected");
        auto session = std::make_unique<platform::FtpSession>();
        session->SetTimeouts(Patient());
        const platform::FtpResult login =
            session->Connect(QStringLiteral("127.0.0.1:%1").arg(server.Port()), "bob", "pw");
        ASSERT_TRUE(login.ok) << login.error.toStdString();
        Frozen frozen(server.Pid());
        QElapsedTimer took;
        took.start();
        if (disconnectFirst) {
            session->Disconnect(); // QUIT gets a short wait of its own
            EXPECT_FALSE(session->IsConnected());
        }
        session.reset();
        EXPECT_LT(took.elapsed(), kNoWaitMs);
    }
}
