// The alert mail's texts, byte for byte.
#include "publish/EAlertPage.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedKingdom);
const QDateTime kNow(QDate(2026, 12, 6), QTime(20, 43, 17));

} // namespace

TEST(EAlertPage, SinglePicturePageWithANoteOfThreeLines) {
    const QString page = SinglePicturesPage(
        "  Yard  ", kNow,
        {{"000012host.jpg", {"Motion at the gate", "Camera 1", "20:43:17"}}, {"000011host.jpg", {}}},
        kEnglish);
    EXPECT_EQ(page,
              " <html> <body> <b> Images from Yard </b>  20:43:17 06 December 2026 <br> <br>"
              " <img src=\"cid:0000012host.jpg\">  <br>  <h2> Motion at the gate </h2> Camera 1 <br> "
              "20:43:17 <br>  <hr> "
              " <img src=\"cid:0000011host.jpg\">  <br>  <hr> "
              " </body></html> ");
}

TEST(EAlertPage, ProofSheetPageAndAnEmptySite) {
    EXPECT_EQ(ProofSheetsPage("", kNow, {"ealerts1.jpg", "ealerts2.jpg"}, kEnglish),
              " <html> <body> <b> TORVEK E-Alert </b>  20:43:17 06 December 2026 <br>  <br> "
              " <img src=\"cid:ealerts1.jpg\" alt=\"\" > <br>"
              " <img src=\"cid:ealerts2.jpg\" alt=\"\" > <br>"
              " </Body></html> ");
    EXPECT_EQ(AlertSubject("   ", kNow, kEnglish), "TORVEK E-Alert  20:43 06:December:2026");
    EXPECT_EQ(AlertSubject(" Yard ", kNow, kEnglish), "Images from Yard 20:43 06:December:2026");
    EXPECT_EQ(AlertPlainText(),
              "this e-alert was created by torvek and needs an html viewer to read the content");
}

TEST(EAlertPage, SiteAndNoteTextAreEscaped) {
    const QString page = SinglePicturesPage("Tom & Jerry's <yard>", kNow,
                                            {{"p.jpg", {"a \"b\" < c", "x > y & z"}}}, kEnglish);
    EXPECT_TRUE(page.contains(" <b> Images from Tom &amp; Jerry's &lt;yard&gt; </b> "));
    EXPECT_TRUE(page.contains(" <h2> a &quot;b&quot; &lt; c </h2> x &gt; y &amp; z <br> "));
}

TEST(EAlertPage, NoteLinesAreReadAsATextListReadsThem) {
    TestSupport::TempProgramFolder dir;
    ASSERT_TRUE(TestSupport::WriteAll(dir.file("a.txt"), "one\r\n\r\nthr\xe9" "e\r\n"));
    bool exists = false;
    EXPECT_EQ(ReadNoteLines(dir.file("a.txt"), &exists),
              QStringList({"one", "", QString::fromUtf8("thr\xc3\xa9" "e")}));
    EXPECT_TRUE(exists);
    ASSERT_TRUE(TestSupport::WriteAll(dir.file("b.txt"), "last line without end"));
    EXPECT_EQ(ReadNoteLines(dir.file("b.txt")), QStringList({"last line without end"}));
    EXPECT_TRUE(ReadNoteLines(dir.file("none.txt"), &exists).isEmpty());
    EXPECT_FALSE(exists);
}
