// The SMTP client's host with a port and its recipients against a loopback server that
// refuses some of them: the mail goes to the others, and only when all are refused does
// the send fail.
#include "platform/SmtpClient.h"

#include "tests/support/SmtpSink.h"
#include "tests/support/TestSupport.h"

#include <QJsonArray>
#include <gtest/gtest.h>

using platform::MailMessage;
using platform::SmtpClient;
using TestSupport::SmtpSink;

namespace {

platform::NetTimeouts Short() {
    platform::NetTimeouts t;
    t.connectSeconds = 3;
    t.responseSeconds = 3;
    t.lowSpeedSeconds = 3;
    return t;
}

MailMessage Message(const QStringList& recipients) {
    MailMessage m;
    m.from = "station@example.org";
    m.recipients = recipients;
    m.subject = "Alert";
    m.plain = "plain";
    m.html = "<html><body>page</body></html>";
    m.inlineParts = {{QByteArray(500, 'x'), "0a.jpg", "0a.jpg"}};
    return m;
}

} // namespace

TEST(SmtpRecipients, TheMailGoesToTheAcceptedOnesAndNamesTheRefused) {
    SmtpSink sink;
    ASSERT_TRUE(sink.Start("accept", 0, 2, {"bad@example.org", "worse@example.org"})) << sink.Output().toStdString();
    // The client's own port is 25: the host's port is the one used.
    SmtpClient client(25, Short());
    const QString host = QStringLiteral("127.0.0.1:%1").arg(sink.Port());
    const struct {
        QStringList to;
        QStringList delivered; // empty: the send fails
        QStringList refused;
    } cases[] = {
        {{"good@example.org", "bad@example.org"}, {"good@example.org"}, {"bad@example.org"}},
        {{"bad@example.org", "good@example.org", "worse@example.org"}, {"good@example.org"},
         {"bad@example.org", "worse@example.org"}},
        {{"good@example.org", "other@example.org"}, {"good@example.org", "other@example.org"}, {}},
        {{"bad@example.org", "worse@example.org"}, {}, {"bad@example.org", "worse@example.org"}},
    };
    int saved = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to.join(", ").toStdString());
        const platform::MailSendResult r = client.Send(host, Message(c.to));
        if (c.delivered.isEmpty()) {
            EXPECT_FALSE(r.ok);
            for (const QString& address : c.refused) EXPECT_TRUE(r.error.contains(address)) << r.error.toStdString();
            EXPECT_TRUE(r.error.contains("550")) << r.error.toStdString();
            continue;
        }
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        EXPECT_EQ(r.refused, c.refused);
        ASSERT_TRUE(sink.WaitForMessages(++saved));
        const QString eml = sink.Messages().last();
        EXPECT_EQ(sink.Envelope(eml)["rcpt_tos"].toArray().toVariantList(), QVariant(c.delivered).toList());
    }
    EXPECT_EQ(sink.Messages().size(), saved);
}

TEST(SmtpHost, APortMayBeNamedAndEveryUnusableHostIsTold) {
    SmtpSink sink;
    ASSERT_TRUE(sink.Start()) << sink.Output().toStdString();
    SmtpSink closed; // a free port where nobody listens
    ASSERT_TRUE(closed.Start("refuse")) << closed.Output().toStdString();
    SmtpClient client(25, Short());
    const QString port = QString::number(sink.Port());

    for (const QString& host : {"127.0.0.1:" + port, "localhost:" + port}) {
        SCOPED_TRACE(host.toStdString());
        const platform::MailSendResult r = client.Send(host, Message({"good@example.org"}));
        EXPECT_TRUE(r.ok) << r.error.toStdString();
    }
    EXPECT_TRUE(sink.WaitForMessages(2));

    const struct {
        QString host;
        QString says;
    } refused[] = {
        {"127.0.0.1:", "is not a valid SMTP host"},
        {"127.0.0.1:0", "is not a valid SMTP host"},
        {"127.0.0.1:65536", "is not a valid SMTP host"},
        {"127.0.0.1:25x", "is not a valid SMTP host"},
        {"mail.example.org:25:26", "is not a valid SMTP host"},
        {"[::1", "is not a valid SMTP host"},
        {"[::1]25", "is not a valid SMTP host"},
        {"a b:25", "is not a valid SMTP host"},
        {"127.0.0.1:" + QString::number(closed.Port()), "connect"},
        {"mail.invalid", "resolve"},
        {"mail.invalid:" + port, "resolve"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.host.toStdString());
        const platform::MailSendResult r = client.Send(c.host, Message({"good@example.org"}));
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.contains(c.says, Qt::CaseInsensitive)) << r.error.toStdString();
    }
    EXPECT_EQ(sink.Messages().size(), 2);
}
