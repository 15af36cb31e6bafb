#pragma once
// Proof sheets: grids of captioned thumbnails that carry many alert pictures in few images.
// The planner decides which queue lines go on which sheet and how each sheet is laid out;
// the renderer draws one sheet.
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

struct ProofSheetLayout {
    int cols = 1;
    int rows = 1;
    int cellWidth = 0;
    int cellHeight = 0;
    int canvasWidth = 0;
    int canvasHeight = 0;
};

// The grid a render pass of n pictures uses: a square count picks its own square grid when
// the grid asked for is at least as large.
int AdjustSheetGrid(int n, int grid);

// The layout of a render pass of n pictures with the (adjusted) grid; dial-up sheets are
// smaller.
ProofSheetLayout ProofSheetLayoutFor(int n, int grid, bool dialUp);

// One sheet image.
struct ProofSheetPlan {
    QList<int> lines;       // queue line indexes, drawn in this order
    int sheetNo = 0;        // 1-based; also the name "ealerts<sheetNo>.jpg"
    int firstImageNo = 0;   // the "[n]" number of the sheet's first picture
    bool footer = true;     // a full sheet carries the date and site footer
    ProofSheetLayout layout;
};

struct ProofSheetsPlan {
    int sent = 0; // queue lines the sheets carry, from index 0
    QList<ProofSheetPlan> sheets;
};

// Splits the first min(queueCount, alertImageCount) queue lines onto sheets of gridN x gridN
// (gridN 2..6), smaller grids for what is left. Sheets and picture numbers run from the
// newest picture to the oldest.
ProofSheetsPlan BuildProofSheets(int queueCount, int gridN, int alertImageCount, bool dialUp);

// "ealerts<sheetNo>.jpg"
QString ProofSheetName(int sheetNo);

// What the renderer needs besides the plan.
struct ProofSheetContext {
    QDateTime now;
    QString siteLocation;
    QLocale locale;
};

// Draws one sheet from the pictures at picturePaths (one per plan line). A picture that
// cannot be read leaves its cell black with its "[n]" label; *unreadable counts them.
QImage RenderProofSheet(const ProofSheetPlan& sheet, const QStringList& picturePaths,
                        const ProofSheetContext& context, int* unreadable = nullptr);

// The sheet font: "MS Sans Serif" 8, falling back to the system's sans-serif face.
QFont ProofSheetFont();
// The height of a line of that font on a sheet.
int ProofSheetTextHeight();
