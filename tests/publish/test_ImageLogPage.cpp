#include "publish/ImageLogPage.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using TestSupport::TempProgramFolder;
using TestSupport::WriteAll;

namespace {

const QString P = ImageLogList::kPlaceholder;

QString Name(int ring) { return QString("netcam1%1.jpg").arg(ring, 5, 10, QChar('0')); }

// One picture's block of the page.
QString Block(const QString& src, const QStringList& noteLines) {
    QString block = "<TABLE cellPadding=5 width=\"100%\">\r\n<TD vAlign=top align=left><IMG src=" + src +
                    ">\r\n</TD>\r\n<TD vAlign=top align=left>\r\n"
                    "<font face=\"Arial, Verdana\" size=\"2\" color=\"CCCCC\">\r\n";
    for (const QString& line : noteLines)
        block += line + "<BR>\r\n";
    return block + "</font>\r\n</td>\r\n</TABLE>\r\n<HR>\r\n<BR>\r\n";
}

QString Page(const QString& site, const QString& blocks) {
    return "<HTML><Title>WebCam Pics from" + site +
           "</Title>\r\n<BODY bgColor=\"#000000\" text=\"#FFFFFF\" link=\"#33ccff\" vlink=\"#33ccff\" "
           "alink=\"#33ccff\">\r\n<HR>\r\n" +
           blocks +
           "<font face=\"Arial, Verdana\" size=\"1\" color=\"CCCCC\">TORVEK 7.07</font>\r\n"
           "</Body><!-- Made by TORVEK --></HTML>\r\n";
}

} // namespace

TEST(ImageLogList, EachExportModeKeepsItsRows) {
    ImageLogList list;
    // Recycle 3: a window of three rows, the newest last; four uploads list 2, 3, 1.
    for (int ring : {1, 2, 3, 1})
        UpdateImageLogList(list, FtpExportMode::Recycle, 3, QString("/p/%1.jpg").arg(ring), Name(ring), 1);
    EXPECT_EQ(list.target, QStringList({Name(2), Name(3), Name(1)}));

    ImageLogList first;
    UpdateImageLogList(first, FtpExportMode::Recycle, 3, "/p/1.jpg", Name(1), 1);
    EXPECT_EQ(first.target, QStringList({P, P, Name(1)}));
    EXPECT_EQ(first.source, QStringList({P, P, "/p/1.jpg"}));
    // A changed ring size starts the window again; none at all leaves the lists alone.
    UpdateImageLogList(first, FtpExportMode::Recycle, 2, "/p/2.jpg", Name(2), 1);
    EXPECT_EQ(first.target, QStringList({P, Name(2)}));
    UpdateImageLogList(first, FtpExportMode::Recycle, 0, "/p/3.jpg", Name(3), 1);
    EXPECT_EQ(first.target, QStringList({P, Name(2)}));

    ImageLogList all;
    UpdateImageLogList(all, FtpExportMode::ExportAll, 3, "/p/a.jpg", "a.jpg", 1);
    UpdateImageLogList(all, FtpExportMode::ExportAll, 3, "/p/b.jpg", "b.jpg", 2);
    EXPECT_EQ(all.target, QStringList({"a.jpg", "b.jpg"}));

    // Export As: one row per camera, a placeholder until that camera uploads.
    ImageLogList as;
    UpdateImageLogList(as, FtpExportMode::ExportAs, 3, "/p/c2.jpg", "cam2.jpg", 2);
    EXPECT_EQ(as.target, QStringList({P, "cam2.jpg"}));
    UpdateImageLogList(as, FtpExportMode::ExportAs, 3, "/p/c1.jpg", "cam1.jpg", 1);
    UpdateImageLogList(as, FtpExportMode::ExportAs, 3, "/p/c1b.jpg", "cam1.jpg", 1);
    EXPECT_EQ(as.target, QStringList({"cam1.jpg", "cam2.jpg"}));
    EXPECT_EQ(as.source, QStringList({"/p/c1b.jpg", "/p/c2.jpg"}));
}

TEST(ImageLogPage, ListsPicturesNewestFirstWithTheirNotes) {
    TempProgramFolder dir;
    // Notes as the picture store writes them: CR LF after every line, the last one too.
    ASSERT_TRUE(WriteAll(dir.file("000001HOST.txt"), "N.o. 000001\r\nSite Location Office\r\n"));
    ASSERT_TRUE(WriteAll(dir.file("000004HOST.txt"), "N.o. 000004\r\n000004HOST.jpg Captured 12:00\r\n"));
    ImageLogList list;
    for (int n : {1, 2, 3, 4})
        UpdateImageLogList(list, FtpExportMode::Recycle, 3, dir.file(QString("00000%1HOST.jpg").arg(n)),
                           Name(n == 4 ? 1 : n), 1);
    const QString expected = Page("Office", Block(Name(1), {"N.o. 000004", "000004HOST.jpg Captured 12:00"}) +
                                                Block(Name(3), {}) + Block(Name(2), {}));
    EXPECT_EQ(QString::fromLatin1(BuildImageLogPage(list, "  Office ")), expected);

    // Placeholders give no block; an empty list gives the frame only.
    ImageLogList one;
    UpdateImageLogList(one, FtpExportMode::Recycle, 3, dir.file("000001HOST.jpg"), Name(1), 1);
    EXPECT_EQ(QString::fromLatin1(BuildImageLogPage(one, "Office")),
              Page("Office", Block(Name(1), {"N.o. 000001", "Site Location Office"})));
    EXPECT_EQ(QString::fromLatin1(BuildImageLogPage(ImageLogList(), "")), Page("", ""));
}

TEST(ImageLogPage, PublishesTextEscapedAndOddNamesQuoted) {
    TempProgramFolder dir;
    ASSERT_TRUE(WriteAll(dir.file("a.txt"), "Site Location <b>R&D</b>\r\n"));
    ImageLogList list;
    UpdateImageLogList(list, FtpExportMode::ExportAll, 20, dir.file("a.jpg"), "my pic\".jpg", 1);
    UpdateImageLogList(list, FtpExportMode::ExportAll, 20, dir.file("b.jpg"), "x><script>.jpg", 1);
    const QString page = QString::fromLatin1(BuildImageLogPage(list, "R&D <lab>"));
    EXPECT_EQ(page, Page("R&amp;D &lt;lab&gt;", Block("\"x&gt;&lt;script&gt;.jpg\"", {}) +
                                                    Block("\"my pic&quot;.jpg\"",
                                                          {"Site Location &lt;b&gt;R&amp;D&lt;/b&gt;"})));
    // A note without a final line break still gives each line once.
    ASSERT_TRUE(WriteAll(dir.file("c.txt"), "one\r\ntwo"));
    EXPECT_EQ(ReadNoteLines(dir.file("c.txt")), std::optional<QStringList>(QStringList({"one", "two"})));
    EXPECT_EQ(ReadNoteLines(dir.file("none.txt")), std::nullopt);
    EXPECT_EQ(ImageLogNotePath(" /p/000001HOST.jpg "), "/p/000001HOST.txt");
}
