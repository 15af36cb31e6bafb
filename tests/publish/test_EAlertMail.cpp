// The alert mail as a real server receives it: the composer over the SMTP client.
#include "publish/EAlertComposer.h"

#include "platform/Jpeg.h"
#include "platform/SmtpClient.h"
#include "tests/support/SmtpSink.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// The leaves of a tree, depth first.
void Leaves(const QJsonObject& node, QList<QJsonObject>& out) {
    if (node.contains("children"))
        for (const auto& child : node["children"].toArray()) Leaves(child.toObject(), out);
    else
        out << node;
}

class EAlertMailTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sink.Start()) << sink.Output().toStdString();
        platform::NetTimeouts t;
        t.connectSeconds = 5;
        t.responseSeconds = 5;
        client = std::make_unique<platform::SmtpClient>(sink.Port(), t);
        composer = std::make_unique<EAlertComposer>([this] { return snapshot; }, *client);
        QDir(dir.path()).mkdir("cam1");
        snapshot.cameraFolders[0] = dir.path() + "cam1/";
        snapshot.programFolder = dir.path();
        snapshot.siteLocation = "";
        snapshot.smtpHost = "127.0.0.1";
        snapshot.sender = "station@example.org";
        snapshot.recipients = "watch@example.org";
        snapshot.now = QDateTime(QDate(2026, 12, 6), QTime(20, 43, 17));
        snapshot.locale = QLocale(QLocale::English, QLocale::UnitedKingdom);
    }

    QStringList MakeQueue(int count) {
        QStringList queue;
        for (int i = count; i >= 1; --i) {
            const QString name = QStringLiteral("%1host.jpg").arg(i, 6, 10, QChar('0'));
            QImage image(160, 120, QImage::Format_RGB888);
            image.fill(QColor::fromHsv((i * 53) % 360, 200, 230));
            EXPECT_TRUE(platform::SaveJpeg(image, 90, snapshot.cameraFolders[0] + name));
            queue << "1" + name;
        }
        return queue;
    }

    // Checks the tree and returns the related part's pictures.
    QList<QJsonObject> CheckTree(const QJsonObject& tree, const QString& subject) {
        EXPECT_TRUE(tree["defects"].toArray().isEmpty());
        const QJsonObject headers = tree["headers"].toObject();
        EXPECT_EQ(headers["Subject"].toString(), subject);
        EXPECT_FALSE(headers["Date"].toString().isEmpty());
        EXPECT_FALSE(headers["Message-ID"].toString().isEmpty());
        EXPECT_EQ(tree["type"].toString(), "multipart/mixed");
        const QJsonObject alt = tree["children"].toArray()[0].toObject();
        EXPECT_EQ(alt["type"].toString(), "multipart/alternative");
        const QJsonArray altChildren = alt["children"].toArray();
        EXPECT_EQ(altChildren[0].toObject()["type"].toString(), "text/plain");
        const QJsonObject related = altChildren[1].toObject();
        EXPECT_EQ(related["type"].toString(), "multipart/related");
        QList<QJsonObject> parts;
        Leaves(related, parts);
        EXPECT_EQ(parts.value(0)["type"].toString(), "text/html");
        const QString html = parts.value(0)["text"].toString();
        parts.removeFirst();
        QStringList ids;
        for (const QJsonObject& p : parts) {
            EXPECT_EQ(p["type"].toString(), "image/jpeg");
            EXPECT_TRUE(p["disposition"].toString().startsWith("inline; filename=\""));
            ids << p["content_id"].toString();
        }
        int refs = 0;
        for (auto it = QRegularExpression("cid:([^\"]+)\"").globalMatch(html); it.hasNext(); ++refs)
            EXPECT_EQ(ids.count("<" + it.next().captured(1) + ">"), 1);
        EXPECT_EQ(refs, parts.size());
        return parts;
    }

    TestSupport::SmtpSink sink;
    TestSupport::TempProgramFolder dir;
    EAlertSnapshot snapshot;
    std::unique_ptr<platform::SmtpClient> client;
    std::unique_ptr<EAlertComposer> composer;
};

} // namespace

TEST_F(EAlertMailTest, ProofSheetsArriveAsInlineJpegsAndAFailedServerIsReported) {
    snapshot.alertFormat = 1;
    snapshot.alertMaxImages = 2;
    snapshot.alertImageCount = 8;
    snapshot.siteLocation = "Yard";
    const AlertSendResult r = composer->SendEAlert(MakeQueue(6));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.linesUsed, 6);
    ASSERT_TRUE(sink.WaitForMessages(1));
    const QList<QJsonObject> sheets =
        CheckTree(TestSupport::MailTree(sink.Messages().first()), "Images from Yard 20:43 06:December:2026");
    ASSERT_EQ(sheets.size(), 2);
    EXPECT_EQ(sheets[0]["content_id"].toString(), "<ealerts1.jpg>");
    EXPECT_EQ(sheets[1]["content_id"].toString(), "<ealerts2.jpg>");

    sink.Stop();
    const AlertSendResult down = composer->SendEAlert(MakeQueue(6));
    EXPECT_FALSE(down.ok);
    EXPECT_FALSE(down.mailed);
    EXPECT_EQ(down.linesUsed, 0);
    EXPECT_FALSE(down.error.isEmpty());
}
