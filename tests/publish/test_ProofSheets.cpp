// Proof-sheet planning, layout and drawing.
#include "publish/ProofSheets.h"

#include "platform/Jpeg.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

QList<int> Lines(std::initializer_list<int> l) { return QList<int>(l); }

QSize Grid(const ProofSheetPlan& sheet) { return {sheet.layout.cols, sheet.layout.rows}; }

QList<int> AllLines(const ProofSheetsPlan& plan) {
    QList<int> all;
    for (const ProofSheetPlan& s : plan.sheets) all += s.lines;
    return all;
}

bool IsColour(QRgb pixel, QRgb wanted, int tolerance = 40) {
    return qAbs(qRed(pixel) - qRed(wanted)) <= tolerance &&
           qAbs(qGreen(pixel) - qGreen(wanted)) <= tolerance &&
           qAbs(qBlue(pixel) - qBlue(wanted)) <= tolerance;
}

QString SolidPicture(const TestSupport::TempProgramFolder& dir, const QString& name, QColor colour) {
    QImage image(64, 48, QImage::Format_RGB888);
    image.fill(colour);
    const QString path = dir.file(name);
    EXPECT_TRUE(platform::SaveJpeg(image, 95, path));
    return path;
}

ProofSheetContext Context() {
    return {QDateTime(QDate(2026, 12, 6), QTime(20, 43, 17)), "Yard",
            QLocale(QLocale::English, QLocale::UnitedKingdom)};
}

} // namespace

TEST(ProofSheetPlanner, SplitsTheQueueIntoSheetsNewestFirst) {
    // "2 x 2", at most 2 per mail (8 pictures), 6 queued: lines 2..5 make a 2x2 sheet, lines 0..1
    // the rest; drawn the other way round.
    ProofSheetsPlan plan = BuildProofSheets(6, 2, 8, false);
    EXPECT_EQ(plan.sent, 6);
    ASSERT_EQ(plan.sheets.size(), 2);
    EXPECT_EQ(plan.sheets[0].lines, Lines({0, 1}));
    EXPECT_EQ(Grid(plan.sheets[0]), QSize(2, 1));
    EXPECT_TRUE(plan.sheets[0].footer);
    EXPECT_EQ(plan.sheets[1].lines, Lines({2, 3, 4, 5}));
    EXPECT_EQ(Grid(plan.sheets[1]), QSize(2, 2));

    // "3 x 3" with 9 queued: one 3x3 sheet.
    plan = BuildProofSheets(9, 3, 9, false);
    ASSERT_EQ(plan.sheets.size(), 1);
    EXPECT_EQ(Grid(plan.sheets[0]), QSize(3, 3));

    // "6 x 6", at most 1 per mail, 40 queued: the 36 newest on one sheet.
    plan = BuildProofSheets(40, 6, 36, false);
    EXPECT_EQ(plan.sent, 36);
    ASSERT_EQ(plan.sheets.size(), 1);
    EXPECT_EQ(Grid(plan.sheets[0]), QSize(6, 6));

    // Three left: the two older on one sheet, the newest on its own, drawn newest first.
    plan = BuildProofSheets(7, 2, 100, false);
    ASSERT_EQ(plan.sheets.size(), 3);
    EXPECT_EQ(plan.sheets[0].lines, Lines({0}));
    EXPECT_EQ(plan.sheets[1].lines, Lines({1, 2}));
    EXPECT_EQ(plan.sheets[2].lines, Lines({3, 4, 5, 6}));

    // Nine pictures with "2 x 2": drawn with the 2x2 grid, split 4 + 4 + 1; the part-filled last
    // sheet carries no footer.
    plan = BuildProofSheets(9, 2, 100, false);
    ASSERT_EQ(plan.sheets.size(), 3);
    EXPECT_EQ(plan.sheets[0].lines, Lines({0, 1, 2, 3}));
    EXPECT_EQ(plan.sheets[2].lines, Lines({8}));
    EXPECT_TRUE(plan.sheets[1].footer);
    EXPECT_FALSE(plan.sheets[2].footer);
    EXPECT_EQ(Grid(plan.sheets[2]).width(), 2);
}

TEST(ProofSheetPlanner, EveryLineLandsOnExactlyOneSheetInOrder) {
    for (int gridN = 2; gridN <= 6; ++gridN) {
        for (int n = 1; n <= 200; ++n) {
            const ProofSheetsPlan plan = BuildProofSheets(n, gridN, 1800, n % 2 == 0);
            QList<int> expected;
            for (int i = 0; i < n; ++i) expected << i;
            ASSERT_EQ(AllLines(plan), expected) << "n " << n << " grid " << gridN;
            ASSERT_EQ(plan.sent, n);
            int imageNo = 1;
            for (qsizetype k = 0; k < plan.sheets.size(); ++k) {
                const ProofSheetPlan& s = plan.sheets[k];
                ASSERT_EQ(s.sheetNo, k + 1);
                ASSERT_EQ(s.firstImageNo, imageNo);
                ASSERT_LE(s.lines.size(), s.layout.cols * s.layout.rows);
                ASSERT_LE(s.layout.cols, gridN); // never a grid finer than the format asks
                imageNo += int(s.lines.size());
            }
        }
    }
    // The cap: never more than the mail's picture count.
    EXPECT_EQ(AllLines(BuildProofSheets(50, 3, 18, false)).size(), 18);
    EXPECT_EQ(ProofSheetName(10), "ealerts10.jpg");
}

TEST(ProofSheetLayout, SizesFollowTheCountAndTheConnection) {
    // Canvas and cell sizes.
    auto sizes = [](const ProofSheetLayout& l) {
        return QList<int>{l.canvasWidth, l.canvasHeight, l.cellWidth, l.cellHeight};
    };
    EXPECT_EQ(sizes(ProofSheetLayoutFor(2, 6, true)), QList<int>({540, 270, 260, 234}));
    const ProofSheetLayout nine = ProofSheetLayoutFor(9, AdjustSheetGrid(9, 6), false);
    EXPECT_EQ(nine.cols, 3);
    EXPECT_EQ(sizes(nine), QList<int>({840, 760, 270, 227}));
    const ProofSheetLayout six = ProofSheetLayoutFor(36, AdjustSheetGrid(36, 6), true);
    EXPECT_EQ(six.cols, 6);
    EXPECT_EQ(sizes(six).mid(2), QList<int>({82, 53})); // 540 / 6 - 8, near(76.67) - 24

    EXPECT_EQ(AdjustSheetGrid(16, 6), 4);
    EXPECT_EQ(AdjustSheetGrid(16, 3), 3);
    EXPECT_EQ(AdjustSheetGrid(7, 6), 6);
}

TEST(ProofSheetRenderer, DrawsEachPictureInItsCellAndBlackensAMissingOne) {
    TestSupport::TempProgramFolder dir;
    const QStringList paths = {SolidPicture(dir, "a.jpg", Qt::red), dir.file("gone.jpg"),
                               SolidPicture(dir, "c.jpg", Qt::blue),
                               SolidPicture(dir, "d.jpg", Qt::green)};
    const ProofSheetsPlan plan = BuildProofSheets(4, 2, 4, false);
    ASSERT_EQ(plan.sheets.size(), 1);
    int unreadable = -1;
    const QImage sheet = RenderProofSheet(plan.sheets[0], paths, Context(), &unreadable);
    EXPECT_EQ(sheet.size(), QSize(840, 760));
    EXPECT_EQ(unreadable, 1);
    const ProofSheetLayout& l = plan.sheets[0].layout;
    const int rowStep = l.cellHeight + ProofSheetTextHeight() + 5;
    auto centre = [&](int col, int row) {
        return sheet.pixel(5 + col * (l.cellWidth + 5) + l.cellWidth / 2, 5 + row * rowStep + l.cellHeight / 2);
    };
    EXPECT_TRUE(IsColour(centre(0, 0), qRgb(255, 0, 0)));
    EXPECT_TRUE(IsColour(centre(1, 0), qRgb(0, 0, 0), 0)); // the missing picture's cell
    EXPECT_TRUE(IsColour(centre(0, 1), qRgb(0, 0, 255)));
    EXPECT_TRUE(IsColour(centre(1, 1), qRgb(0, 255, 0)));
}
