// The e-mail outbox: the record's bytes, numbering, re-sends, picture copies, rows and the
// report page.
#include "publish/Outbox.h"
#include "publish/ReportPage.h"

#include "platform/RecordCodec.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using TestSupport::ReadAll;
using TestSupport::TempProgramFolder;
using TestSupport::WriteAll;

namespace {

const QDateTime kMarch7(QDate(2026, 3, 7), QTime(12, 0));

struct Station {
    Station() : outbox(dir.path() + "SentItems/") {
        QDir().mkpath(dir.path() + "cam1");
        for (int i = 1; i <= 5; ++i) {
            const QString base = dir.path() + QString("cam1/%1OFFICE").arg(i, 6, 10, QChar('0'));
            WriteAll(base + ".jpg", QByteArray("jpeg ") + QByteArray::number(i));
            WriteAll(base + ".txt", QByteArray("N.o. ") + QByteArray::number(i) + "\r\nCam Location Hall\r\n");
        }
    }
    QString Cam1() const { return dir.path() + "cam1/"; }
    QStringList Names(int n) const {
        QStringList names;
        for (int i = 1; i <= n; ++i)
            names << QString("%1OFFICE.jpg").arg(i, 6, 10, QChar('0'));
        return names;
    }
    OutboxSaveInput Input(const QStringList& pictures, const QString& to = "a@example.org") const {
        OutboxSaveInput in;
        in.subject = " Hall 12:00 ";
        in.reference = "R1";
        in.code = "C1";
        in.toText = to;
        in.now = kMarch7;
        in.pictures = pictures;
        in.camera = 1;
        in.cameraFolder = Cam1();
        in.freeText = {"Someone at the door", "second line"};
        return in;
    }
    TempProgramFolder dir;
    Outbox outbox;
};

} // namespace

TEST(OutboxRecord, RoundTripsAndHoldsFiftyPictures) {
    OutboxRecord r;
    r.ReportNumber = "000001";
    r.ToAddress = "a@example.org";
    r.SetPictures({"one.jpg", "two.jpg"});
    r.Reference = "R";
    r.Code = "C";
    r.Subject = "S";
    r.SetSentDateTime(kMarch7);
    EXPECT_DOUBLE_EQ(r.SentTime, 46088.5);
    const QByteArray image = r.Encode();
    ASSERT_EQ(image.size(), 5672);
    EXPECT_EQ(image.mid(202, 8), QByteArray("\x07" "one.jpg"));
    EXPECT_DOUBLE_EQ(platform::RecordReader(image).Double(5560), 46088.5);
    const OutboxRecord back = OutboxRecord::Decode(image);
    EXPECT_EQ(back.Pictures(), QStringList({"one.jpg", "two.jpg"}));
    EXPECT_EQ(back.SentDateTime(), kMarch7);

    // At most 50 names are written; every non-empty entry of the 51 is read.
    QStringList many;
    for (int i = 0; i < 60; ++i)
        many << QString("p%1.jpg").arg(i);
    r.SetPictures(many);
    EXPECT_EQ(r.Pictures().size(), 50);
    r.PictureNames[50] = "extra.jpg";
    EXPECT_EQ(OutboxRecord::Decode(r.Encode()).Pictures().last(), "extra.jpg");
}

TEST(Outbox, NumbersCopiesAndResends) {
    Station s;
    OutboxRecord working;
    ASSERT_TRUE(s.outbox.SaveReportToOutbox(working, s.Input(s.Names(3))));
    EXPECT_EQ(working.ReportNumber, "000001");
    const QByteArray file = ReadAll(s.outbox.Folder() + "000001.DRK");
    ASSERT_EQ(file.size(), 11344);
    EXPECT_EQ(file.left(5672), QByteArray(5672, '\0'));
    EXPECT_EQ(QFile::permissions(s.outbox.Folder() + "000001.DRK") & 0x0077, 0);
    EXPECT_EQ(ReadAll(s.outbox.Folder() + "000001.KRD"), "Someone at the door\r\nsecond line\r\n");
    for (const QString& name : s.Names(3)) {
        EXPECT_EQ(ReadAll(s.outbox.Folder() + name), ReadAll(s.Cam1() + name));
        EXPECT_TRUE(QFile::exists(s.outbox.Folder() + name.left(12) + ".txt"));
    }

    // With 000001 and 000003 present the next is 000002.
    WriteAll(s.outbox.Folder() + "000003.DRK", QByteArray(11344, '\0'));
    EXPECT_EQ(s.outbox.NextReportNumber(), "000002");
    QFile::remove(s.outbox.Folder() + "000003.DRK");

    // Copies never replace what the outbox holds.
    WriteAll(s.outbox.Folder() + s.Names(1)[0], "kept");
    OutboxRecord second;
    ASSERT_TRUE(s.outbox.SaveReportToOutbox(second, s.Input(s.Names(2))));
    EXPECT_EQ(second.ReportNumber, "000002");
    EXPECT_EQ(ReadAll(s.outbox.Folder() + s.Names(1)[0]), "kept");

    // Re-opened (camera 0) and sent to the same recipient: same number, same names.
    OutboxRecord reopened;
    ASSERT_TRUE(s.outbox.Read("000001", reopened));
    // Opening refills the picture list from the record.
    OutboxSaveInput again = s.Input(reopened.Pictures(), " a@example.org ");
    again.camera = 0;
    again.subject = "New subject";
    again.freeText = {"new text"};
    ASSERT_TRUE(s.outbox.SaveReportToOutbox(reopened, again));
    EXPECT_EQ(reopened.ReportNumber, "000001");
    EXPECT_EQ(reopened.Pictures(), s.Names(3));
    EXPECT_EQ(reopened.Subject, "New subject");
    EXPECT_EQ(ReadAll(s.outbox.Folder() + "000001.KRD"), "new text\r\n");
    // To another recipient: the next free number, the same names.
    again.toText = "b@example.org";
    ASSERT_TRUE(s.outbox.SaveReportToOutbox(reopened, again));
    EXPECT_EQ(reopened.ReportNumber, "000003");
    EXPECT_EQ(reopened.Pictures(), s.Names(3));
}

TEST(Outbox, SinglePictureModeAndFewerPicturesAfterALargerReport) {
    Station s;
    OutboxRecord working;
    OutboxSaveInput single = s.Input(s.Names(5));
    single.singlePictureMode = true;
    single.position = 3;
    ASSERT_TRUE(s.outbox.SaveReportToOutbox(working, single));
    EXPECT_EQ(working.Pictures(), QStringList({s.Names(5)[3]}));
    // Saved after viewing a report of 5: exactly 3 names.
    working.SetPictures(s.Names(5));
    ASSERT_TRUE(s.outbox.SaveReportToOutbox(working, s.Input(s.Names(3), "c@example.org")));
    OutboxRecord back;
    s.outbox.Read(working.ReportNumber, back);
    EXPECT_EQ(back.Pictures(), s.Names(3));
}

TEST(Outbox, RowsThumbnailsDeleteAndPurge) {
    Station s;
    OutboxRecord working;
    ASSERT_TRUE(s.outbox.SaveReportToOutbox(working, s.Input(s.Names(2))));
    QFile::remove(s.outbox.Folder() + s.Names(1)[0]); // a missing copy is skipped
    const QList<OutboxRow> rows = s.outbox.Rows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].number, "000001");
    OutboxRecord back;
    s.outbox.Read("000001", back);
    EXPECT_EQ(s.outbox.Thumbnails(back), QStringList({s.outbox.Folder() + s.Names(2)[1]}));

    // A name that would leave the folder is never used.
    back.PictureNames[0] = "../cam1/000001OFFICE.jpg";
    EXPECT_EQ(s.outbox.Thumbnails(back).size(), 1);

    // A short record still lists.
    WriteAll(s.outbox.Folder() + "000002.DRK", QByteArray(5700, '\0'));
    EXPECT_EQ(s.outbox.Rows().size(), 2);

    ASSERT_TRUE(s.outbox.Delete("000001"));
    EXPECT_TRUE(QFile::exists(s.outbox.Folder() + "000001.KRD"));
    EXPECT_TRUE(QFile::exists(s.outbox.Folder() + s.Names(2)[1]));
    ASSERT_TRUE(s.outbox.Purge());
    EXPECT_TRUE(QDir(s.outbox.Folder()).entryList(QDir::Files).isEmpty());
}

TEST(ReportPage, PageLinesForTextContactAndPictures) {
    Station s;
    ReportPageInput in;
    in.now = kMarch7;
    in.pictures = s.Names(2);
    in.pictureFolder = s.Cam1();
    QFile::remove(s.Cam1() + "000002OFFICE.txt"); // the second has no note lines
    const QString plain = BuildReportHtml(in);
    EXPECT_TRUE(plain.contains(" <img src=\"cid:0000001OFFICE.jpg\"> \r\n <br> \r\n <h2> N.o. 1 </h2> \r\n"
                               "Cam Location Hall <br> \r\n <hr> \r\n"
                               " <img src=\"cid:0000002OFFICE.jpg\"> \r\n <br> \r\n <hr> \r\n"))
        << plain.toStdString();

    in.reference = " R<1> ";
    in.code = "C&1";
    in.freeText = {"a < b"};
    in.useContactInfo = true;
    in.contact.ContactFirstName = "Ann";
    in.contact.ContactPhone1 = "0123";
    in.contact.ContactPhone2 = "555";
    in.contact.ContactNote2 = "Dog & cat";
    in.fromTimeText = "09:00";
    in.toTimeText = "20:00";
    in.dayText = "Week Days";
    in.singlePictureMode = true;
    in.position = 1;
    const QString full = BuildReportHtml(in);
    EXPECT_TRUE(full.contains(" <b>Reference</b> R&lt;1&gt;  <b>Code</b> C&amp;1 \r\n"));
    EXPECT_TRUE(full.contains(" <hr> <b>Text Summary</b>  <br> \r\na &lt; b <br> \r\n"));
    EXPECT_TRUE(full.contains("Dog &amp; cat <br> \r\n"));
    // The contact: name, both phones and the hours and days to call.
    EXPECT_TRUE(full.contains(" <b>First Phone</b> <br> \r\n <b>Second Phone</b> <br> \r\n"));
    EXPECT_TRUE(full.contains("Ann <br> \r\n"));
    EXPECT_TRUE(full.contains("0123  <br> \r\n555 <br> \r\n"));
    EXPECT_TRUE(full.contains("09:00 To 20:00 <br> \r\nWeek Days <br> \r\n"));
    EXPECT_TRUE(full.contains(" <b> 1 Image </b> <hr> <br> \r\n <img src=\"cid:0000002OFFICE.jpg\"> \r\n"));
    EXPECT_FALSE(full.contains("000001OFFICE"));

    // Single-picture mode with nothing to show: a text-only report.
    in.pictures.clear();
    const QString textOnly = BuildReportHtml(in);
    EXPECT_FALSE(textOnly.contains("Image"));
    EXPECT_FALSE(textOnly.contains("<img"));
}
