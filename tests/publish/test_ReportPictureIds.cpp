// A report's pictures with names that are not plain ASCII, through the real page, the real
// sender and a loopback server: every picture the page shows is the part it names.
#include "platform/MailMessage.h"
#include "platform/SmtpClient.h"
#include "publish/ReportMail.h"
#include "publish/ReportPage.h"
#include "publish/SmtpReportMailSender.h"

#include "tests/support/SmtpSink.h"
#include "tests/support/TestSupport.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

void Leaves(const QJsonObject& node, QList<QJsonObject>& out) {
    if (node.contains("children"))
        for (const auto& child : node["children"].toArray())
            Leaves(child.toObject(), out);
    else
        out << node;
}

} // namespace

TEST(ReportPictureIds, EveryPictureOfThePageResolvesToItsOwnPart) {
    const QStringList names{QString::fromUtf8("Zürich.jpg"), "a\"b.jpg",   "a<b>.jpg",
                            "a\\b.jpg",                      "a=3Db.jpg",  "a=b.jpg",
                            "0000012host.jpg"};
    // Plain names keep "0" + name; the others get IDs of safe characters only, all different.
    QStringList ids;
    for (const QString& name : names) {
        const QString id = platform::MailContentId("0" + name);
        EXPECT_TRUE(QRegularExpression("^[A-Za-z0-9._=-]+$").match(id).hasMatch()) << id.toStdString();
        ids << id;
    }
    EXPECT_EQ(ids.last(), "00000012host.jpg");
    EXPECT_EQ(QSet<QString>(ids.begin(), ids.end()).size(), names.size());

    TestSupport::TempProgramFolder folder;
    for (int i = 0; i < names.size(); ++i)
        TestSupport::WriteAll(folder.file(names[i]), QByteArray(100 + i, char('a' + i)));
    ReportPageInput in;
    in.now = QDateTime(QDate(2026, 12, 6), QTime(8, 0));
    in.pictures = names;
    in.pictureFolder = folder.path();
    ReportMail mail;
    mail.html = BuildReportHtml(in);
    QStringList missing;
    mail.pictures = ReadReportPictures(folder.path(), names, &missing);
    ASSERT_TRUE(missing.isEmpty());
    mail.from = "station@example.org";
    mail.recipients = {"a@example.org"};
    mail.subject = "Report";

    TestSupport::SmtpSink sink;
    ASSERT_TRUE(sink.Start()) << sink.Output().toStdString();
    mail.host = QStringLiteral("127.0.0.1:%1").arg(sink.Port());
    platform::NetTimeouts t;
    t.connectSeconds = t.responseSeconds = 5;
    SmtpReportMailSender sender(std::make_unique<platform::SmtpClient>(25, t));
    QString error;
    ASSERT_TRUE(sender.SendReportMail(mail, &error)) << error.toStdString();
    ASSERT_TRUE(sink.WaitForMessages(1));

    QList<QJsonObject> parts;
    Leaves(TestSupport::MailTree(sink.Messages().first()), parts);
    ASSERT_EQ(parts.size(), 2 + names.size());
    const QString html = parts[1]["text"].toString();
    QStringList partIds;
    for (int i = 2; i < parts.size(); ++i) partIds << parts[i]["content_id"].toString();
    int shown = 0;
    for (auto it = QRegularExpression("cid:([^\"]+)\"").globalMatch(html); it.hasNext(); ++shown) {
        const QString ref = it.next().captured(1);
        EXPECT_EQ(partIds.count("<" + ref + ">"), 1) << ref.toStdString();
    }
    EXPECT_EQ(shown, names.size());
    // Each part holds its own picture.
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(parts[2 + i]["size"].toInt(), 100 + i) << names[i].toStdString();
}
