#include "platform/MailMessage.h"

#include "support/TestSupport.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using platform::MailMessage;

namespace {

// The decoded text of a header made of RFC 2047 words.
QString DecodeWords(const QByteArray& header) {
    QString text;
    for (const QByteArray& word : header.split(' ')) {
        EXPECT_TRUE(word.startsWith("=?UTF-8?B?") && word.endsWith("?=")) << word.constData();
        EXPECT_LE(word.size(), 75);
        text += QString::fromUtf8(QByteArray::fromBase64(word.mid(10, word.size() - 12)));
    }
    return text;
}

MailMessage Message() {
    MailMessage m;
    m.from = "station@example.org";
    m.recipients = {"a@example.org", "b@example.net"};
    m.subject = "Images from Yard 12:00";
    m.date = QDateTime(QDate(2026, 12, 6), QTime(20, 43, 17), QTimeZone(3600));
    return m;
}

} // namespace

TEST(MailMessage, AddressListsAreSplitTrimmedAndCheckedForUnsafeCharacters) {
    EXPECT_EQ(platform::SplitAddressList(" a@x.org ,b@y.org,, ,c@z.org "),
              QStringList({"a@x.org", "b@y.org", "c@z.org"}));
    EXPECT_TRUE(platform::SplitAddressList(" , ").isEmpty());

    QString why;
    EXPECT_TRUE(platform::IsSendableAddress("first.last+tag@mail.example.org"));
    for (const QString& bad :
         {QString(""), QString("a@b\r\nBcc: x@y"), QString("a b@c"), QString("<a@b>"),
          QString("a@b,c@d"), QString("nodomain@"), QString("@nolocal"), QString("a@b@c"),
          QString("plain"), QString::fromUtf8("jürg@example.org"), QString("a@b\x7f")}) {
        why.clear();
        EXPECT_FALSE(platform::IsSendableAddress(bad, &why)) << bad.toStdString();
        EXPECT_FALSE(why.isEmpty());
        EXPECT_FALSE(why.contains('\r') || why.contains('\n'));
    }
}

TEST(MailMessage, HeadersCarryNoInjectedLinesAndEncodeNonAsciiText) {
    // Control characters never reach a header: no CR LF "Bcc:" line can be smuggled in.
    EXPECT_EQ(platform::EncodeHeaderText("Alert\r\nBcc: x@evil.org\t!"), "AlertBcc: x@evil.org!");

    const QString zurich = QString::fromUtf8("Images from Zürich – Hof 12:00");
    const QByteArray encoded = platform::EncodeHeaderText(zurich);
    EXPECT_EQ(DecodeWords(encoded), zurich);
    const QString longText = QString::fromUtf8("Ünïcödé ").repeated(20) + QString::fromUtf8("😀");
    EXPECT_EQ(DecodeWords(platform::EncodeHeaderText(longText)), longText);

    MailMessage m = Message();
    m.subject = "Yard\r\nBcc: x@evil.org";
    QString error;
    const QList<QByteArray> lines = platform::MailHeaderLines(m, &error);
    ASSERT_EQ(lines.size(), 5) << error.toStdString();
    for (const QByteArray& line : lines) {
        EXPECT_FALSE(line.contains('\r') || line.contains('\n')) << line.constData();
        EXPECT_FALSE(line.startsWith("Bcc"));
    }
    EXPECT_EQ(lines[0], "From: station@example.org");
    EXPECT_EQ(lines[1], "To: a@example.org, b@example.net");
    EXPECT_EQ(lines[2], "Subject: YardBcc: x@evil.org");
    EXPECT_EQ(lines[3], "Date: Sun, 06 Dec 2026 20:43:17 +0100");
    EXPECT_TRUE(lines[4].startsWith("Message-ID: <") && lines[4].endsWith("@example.org>"));
    EXPECT_NE(platform::MakeMessageId(m.from, m.date), platform::MakeMessageId(m.from, m.date));
}

TEST(MailMessage, BadAddressesAreRefusedWithAClearError) {
    QString error;
    MailMessage m = Message();
    m.recipients << "c@example.org\r\nBcc: x@evil.org";
    EXPECT_TRUE(platform::MailHeaderLines(m, &error).isEmpty());
    EXPECT_TRUE(error.startsWith("Recipient: ")) << error.toStdString();

    m = Message();
    m.from = "";
    EXPECT_TRUE(platform::MailHeaderLines(m, &error).isEmpty());
    EXPECT_TRUE(error.startsWith("Sender: "));

    m = Message();
    m.recipients.clear();
    EXPECT_TRUE(platform::MailHeaderLines(m, &error).isEmpty());
    EXPECT_EQ(error, "The mail has no recipient.");
}
