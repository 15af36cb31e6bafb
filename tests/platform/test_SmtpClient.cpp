// The SMTP client against a real loopback server (aiosmtpd): the message tree, the headers,
// a host with its port, recipients the server refuses, and every way a send can fail.
#include "platform/SmtpClient.h"

#include "tests/support/SmtpSink.h"
#include "tests/support/TestSupport.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimer>
#include <QTimeZone>
#include <gtest/gtest.h>

using platform::MailMessage;
using platform::SmtpClient;
using TestSupport::MailTree;
using TestSupport::SmtpSink;

namespace {

QByteArray RandomBytes(int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& b : bytes) b = char(QRandomGenerator::global()->bounded(256));
    return bytes;
}

QString Sha(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

MailMessage Message(const QStringList& recipients = {"one@example.org", "two@example.net"}) {
    MailMessage m;
    m.from = "station@example.org";
    m.recipients = recipients;
    m.subject = QString::fromUtf8("Images from Zürich 12:00");
    m.plain = "plain text";
    m.html = " <html> <body> <img src=\"cid:0a.jpg\"> <br> " + QString("x").repeated(3000) +
             " <img src=\"cid:ealerts1.jpg\" alt=\"\" > </body></html> ";
    m.inlineParts = {{RandomBytes(70000), "0a.jpg", "0a.jpg"},
                     {RandomBytes(1000), "ealerts1.jpg", "ealerts1.jpg"}};
    m.date = QDateTime(QDate(2026, 12, 6), QTime(20, 43, 17), QTimeZone(3600));
    return m;
}

platform::NetTimeouts Short() {
    platform::NetTimeouts t;
    t.connectSeconds = 3;
    t.responseSeconds = 2;
    t.lowSpeedSeconds = 3;
    return t;
}

class SmtpClientTest : public ::testing::Test {
protected:
    void StartSink(const QString& mode, double delay = 2) {
        ASSERT_TRUE(sink.Start(mode, 0, delay)) << sink.Output().toStdString();
    }
    SmtpSink sink;
};

} // namespace

TEST_F(SmtpClientTest, SendsTheAlternativeAndRelatedTreeWithInlinePicturesFromMemory) {
    StartSink("accept");
    SmtpClient client(sink.Port(), Short());
    const MailMessage m = Message();
    const platform::MailSendResult sent = client.Send("127.0.0.1", m);
    ASSERT_TRUE(sent.ok) << sent.error.toStdString();
    ASSERT_TRUE(sink.WaitForMessages(1));
    const QString eml = sink.Messages().first();

    const QJsonObject envelope = sink.Envelope(eml);
    EXPECT_EQ(envelope["mail_from"].toString(), "station@example.org");
    EXPECT_EQ(envelope["rcpt_tos"].toArray().toVariantList(),
              QVariantList({"one@example.org", "two@example.net"}));

    const QJsonObject tree = MailTree(eml);
    ASSERT_FALSE(tree.isEmpty());
    EXPECT_TRUE(tree["defects"].toArray().isEmpty());
    EXPECT_LE(tree["max_line"].toInt(), 998);
    const QJsonObject headers = tree["headers"].toObject();
    EXPECT_EQ(headers["From"].toString(), "station@example.org");
    EXPECT_EQ(headers["To"].toString(), "one@example.org, two@example.net");
    EXPECT_EQ(headers["Subject"].toString(), m.subject);
    EXPECT_EQ(headers["Date"].toString(), "Sun, 06 Dec 2026 20:43:17 +0100");
    EXPECT_TRUE(headers["Message-ID"].toString().endsWith("@example.org>"));

    // mixed > alternative > (plain, related > (html, pictures...)).
    const QJsonObject alternative = tree["children"][0].toObject();
    const QJsonObject plain = alternative["children"][0].toObject();
    const QJsonObject related = alternative["children"][1].toObject();
    const QJsonArray rel = related["children"].toArray();
    const QJsonObject html = rel[0].toObject();
    EXPECT_EQ(QStringList({tree["type"].toString(), alternative["type"].toString(),
                           plain["type"].toString(), related["type"].toString(),
                           html["type"].toString()}),
              QStringList({"multipart/mixed", "multipart/alternative", "text/plain",
                           "multipart/related", "text/html"}));
    EXPECT_EQ(tree["children"].toArray().size(), 1);
    EXPECT_EQ(alternative["children"].toArray().size(), 2);
    ASSERT_EQ(rel.size(), 3);
    EXPECT_EQ(plain["charset"].toString(), "utf-8");
    EXPECT_EQ(plain["encoding"].toString(), "quoted-printable");
    EXPECT_EQ(plain["text"].toString(), m.plain);
    EXPECT_EQ(html["text"].toString(), m.html);

    for (int i = 1; i < rel.size(); ++i) {
        const QJsonObject picture = rel[i].toObject();
        const platform::MailInlinePart& sentPart = m.inlineParts[i - 1];
        EXPECT_EQ(picture["type"].toString(), "image/jpeg");
        EXPECT_EQ(picture["encoding"].toString(), "base64");
        EXPECT_EQ(picture["disposition"].toString(),
                  "inline; filename=\"" + sentPart.fileName + "\"");
        EXPECT_EQ(picture["content_id"].toString(), "<" + sentPart.contentId + ">");
        EXPECT_EQ(picture["sha256"].toString(), Sha(sentPart.data));
    }
}

TEST_F(SmtpClientTest, RefusedHungAndRejectedSendsFailWithTheReason) {
    for (const auto& [mode, reason] : {std::pair("refuse", ""), std::pair("hang", ""),
                                       std::pair("reject-rcpt", "550.*Recipient address rejected")}) {
        SCOPED_TRACE(mode);
        StartSink(mode);
        SmtpClient client(sink.Port(), Short());
        QElapsedTimer took;
        took.start();
        const platform::MailSendResult r = client.Send("127.0.0.1", Message());
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_TRUE(r.error.contains(QRegularExpression(reason))) << r.error.toStdString();
        EXPECT_LT(took.elapsed(), 30000); // ended by the response time-out, not forever
        EXPECT_TRUE(sink.Messages().isEmpty());
        sink.Stop();
    }
}

TEST_F(SmtpClientTest, AnAddressHoldingALineBreakNeverReachesTheServer) {
    StartSink("accept");
    SmtpClient client(sink.Port(), Short());
    const struct {
        QString from;
        QStringList to;
        QString says;
    } cases[] = {
        {"station@example.org", {"a@example.org\r\nRCPT TO:<x@evil.org>"}, "Recipient: "},
        {"station@example.org", {"good@example.org", "a@example.org\nRCPT TO:<x@evil.org>"}, "Recipient: "},
        {"station@example.org\r\nRCPT TO:<x@evil.org>", {"good@example.org"}, "Sender: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to.join(",").toStdString());
        MailMessage m = Message(c.to);
        m.from = c.from;
        const platform::MailSendResult r = client.Send("127.0.0.1", m);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.startsWith(c.says)) << r.error.toStdString();
    }
    // A good mail after them arrives alone.
    ASSERT_TRUE(client.Send("127.0.0.1", Message()).ok);
    ASSERT_TRUE(sink.WaitForMessages(1));
    EXPECT_EQ(sink.Messages().size(), 1);
}

// The event loop runs while the server is slow; a second send from it is refused, since it
// would reuse the transfer still in flight.
TEST_F(SmtpClientTest, ASecondSendWhileOneIsInFlightIsRefused) {
    StartSink("slow", 1.5);
    SmtpClient client(sink.Port(), Short());
    platform::MailSendResult nested;
    bool nestedTried = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!nestedTried && client.Busy()) {
            nestedTried = true;
            nested = client.Send("127.0.0.1", Message());
        }
    });
    timer.start(50);
    const platform::MailSendResult r = client.Send("127.0.0.1", Message());
    timer.stop();
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    ASSERT_TRUE(nestedTried);
    EXPECT_FALSE(nested.ok);
    EXPECT_EQ(nested.error, "A mail is already being sent.");
    ASSERT_TRUE(sink.WaitForMessages(1));
    EXPECT_EQ(sink.Messages().size(), 1);
}

TEST(SmtpRecipients, TheMailGoesToTheAcceptedOnesAndNamesTheRefused) {
    SmtpSink sink;
    ASSERT_TRUE(sink.Start("accept", 0, 2, {"bad@example.org", "worse@example.org"}))
        << sink.Output().toStdString();
    // The client's own port is 25: the host's port is the one used.
    SmtpClient client(25, Short());
    const QString host = QStringLiteral("127.0.0.1:%1").arg(sink.Port());
    const struct {
        QStringList to;
        QStringList delivered; // empty: the send fails
        QStringList refused;
    } cases[] = {
        {{"good@example.org", "bad@example.org"}, {"good@example.org"}, {"bad@example.org"}},
        {{"bad@example.org", "good@example.org", "worse@example.org"},
         {"good@example.org"},
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
            for (const QString& address : c.refused)
                EXPECT_TRUE(r.error.contains(address)) << r.error.toStdString();
            EXPECT_TRUE(r.error.contains("550")) << r.error.toStdString();
            continue;
        }
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        EXPECT_EQ(r.refused, c.refused);
        ASSERT_TRUE(sink.WaitForMessages(++saved));
        const QString eml = sink.Messages().last();
        EXPECT_EQ(sink.Envelope(eml)["rcpt_tos"].toArray().toVariantList(),
                  QVariant(c.delivered).toList());
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
        {"mail.example.org:25:26", "is not a valid SMTP host"},
        {"[::1]25", "is not a valid SMTP host"},
        {"a b:25", "is not a valid SMTP host"},
        {"127.0.0.1:" + QString::number(closed.Port()), "connect"},
        {"mail.invalid", "resolve"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.host.toStdString());
        const platform::MailSendResult r = client.Send(c.host, Message({"good@example.org"}));
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.contains(c.says, Qt::CaseInsensitive)) << r.error.toStdString();
    }
    EXPECT_EQ(sink.Messages().size(), 2);
}
