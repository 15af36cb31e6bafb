#include "publish/ProofSheets.h"

#include "core/DateTimeFormat.h"
#include "core/Helpers.h"
#include "platform/Jpeg.h"
#include "platform/Rounding.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace {

int Near(double value) { return static_cast<int>(platform::RoundHalfEven(value)); }

// One render pass: the lines drawn with one grid, split into sheets by the closing rule.
struct RenderPass {
    QList<int> lines;
    int grid = 6;
};

int SquareGridOf(int n) {
    switch (n) {
    case 4: return 2;
    case 9: return 3;
    case 16: return 4;
    case 25: return 5;
    case 36: return 6;
    default: return 0;
    }
}

QList<int> Range(int first, int count) {
    QList<int> lines;
    for (int i = 0; i < count; ++i) lines << first + i;
    return lines;
}

QImage LoadPicture(const QString& path, QSize cell) {
    QImage image;
    if (platform::LoadJpegAtLeast(path, cell, &image)) return image;
    image.load(path); // a picture of another format
    return image;
}

void DrawTextAt(QPainter& painter, const QFontMetrics& metrics, int x, int top,
                const QString& text, const QColor& colour) {
    painter.setPen(colour);
    painter.drawText(QPoint(x, top + metrics.ascent()), text);
}

} // namespace

int AdjustSheetGrid(int n, int grid) {
    if (n == 4 && grid > 1) return 2;
    if (n == 9 && grid > 2) return 3;
    if (n == 16 && grid > 3) return 4;
    if (n == 25 && grid > 4) return 5;
    return grid;
}

ProofSheetLayout ProofSheetLayoutFor(int n, int grid, bool dialUp) {
    const int w = dialUp ? 540 : 840;
    const int h = dialUp ? 460 : 760;
    ProofSheetLayout l;
    l.canvasWidth = w;
    l.canvasHeight = h;
    if (n <= 1) {
        l.cellWidth = w - 10;
        l.cellHeight = h - 46;
    } else if (n <= 3) {
        l.cols = n;
        l.cellWidth = Near(double(w) / n) - 10;
        l.cellHeight = l.cellWidth - 26;
        l.canvasHeight = l.cellWidth + 10;
    } else {
        grid = qBound(2, grid, 6);
        l.cols = l.rows = grid;
        const int gap = grid <= 3 ? 10 : 8;
        const int band = grid <= 3 ? 26 : 24;
        l.cellWidth = Near(double(w) / grid) - gap;
        l.cellHeight = Near(double(h) / grid) - band;
    }
    return l;
}

QString ProofSheetName(int sheetNo) { return QStringLiteral("ealerts%1.jpg").arg(sheetNo); }

ProofSheetsPlan BuildProofSheets(int queueCount, int gridN, int alertImageCount, bool dialUp) {
    ProofSheetsPlan plan;
    const int n = qMax(0, qMin(queueCount, alertImageCount));
    plan.sent = n;
    gridN = qBound(2, gridN, 6);

    QList<RenderPass> passes; // in drawing order
    const int square = SquareGridOf(n);
    if (n == 1 || n == 2 || square > 0) {
        // A square count takes its own grid unless the format asks for a smaller one;
        // then the closing rule splits it into sheets of the format's grid.
        passes << RenderPass{Range(0, n), square > 0 ? qMin(square, gridN) : gridN};
    } else {
        QList<QList<int>> made;
        int left = n;
        while (left >= 4) {
            const int full = gridN * gridN;
            if (left >= full) {
                made << Range(left - full, full);
                left -= full;
            }
            if (left > 0 && left < full) --gridN;
        }
        if (left == 3) {
            made << QList<int>{1, 2} << QList<int>{0};
        } else if (left > 0) {
            made << Range(0, left);
        }
        for (qsizetype i = made.size() - 1; i >= 0; --i) passes << RenderPass{made[i], 6};
    }

    int sheetNo = 0;
    int imageNo = 0;
    for (const RenderPass& pass : passes) {
        const int count = qMin<int>(pass.lines.size(), alertImageCount);
        const int grid = AdjustSheetGrid(count, pass.grid);
        const ProofSheetLayout layout = ProofSheetLayoutFor(count, grid, dialUp);
        const int perSheet = layout.cols * layout.rows;
        for (int start = 0; start < count; start += perSheet) {
            ProofSheetPlan sheet;
            sheet.lines = pass.lines.mid(start, qMin(perSheet, count - start));
            sheet.sheetNo = ++sheetNo;
            sheet.firstImageNo = imageNo + 1;
            sheet.footer = sheet.lines.size() == perSheet;
            sheet.layout = layout;
            imageNo += sheet.lines.size();
            plan.sheets << sheet;
        }
    }
    return plan;
}

QFont ProofSheetFont() {
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

int ProofSheetTextHeight() {
    QImage probe(1, 1, QImage::Format_RGB32);
    return QFontMetrics(ProofSheetFont(), &probe).height();
}

QImage RenderProofSheet(const ProofSheetPlan& sheet, const QStringList& picturePaths,
                        const ProofSheetContext& context, int* unreadable) {
    const ProofSheetLayout& l = sheet.layout;
    QImage canvas(l.canvasWidth, l.canvasHeight, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    if (unreadable) *unreadable = 0;

    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setFont(ProofSheetFont());
    const QFontMetrics metrics = painter.fontMetrics();
    const int textHeight = metrics.height();

    for (qsizetype j = 0; j < sheet.lines.size(); ++j) {
        const int x = int(j % l.cols) * (l.cellWidth + 5);
        const int y = int(j / l.cols) * (l.cellHeight + textHeight + 5);
        const QString path = j < picturePaths.size() ? picturePaths[j] : QString();
        const QImage picture = path.isEmpty() ? QImage() : LoadPicture(path, QSize(l.cellWidth, l.cellHeight));
        QString label = QStringLiteral("[%1] ").arg(sheet.firstImageNo + j);
        if (picture.isNull()) {
            if (unreadable) ++*unreadable;
        } else {
            painter.drawImage(QRect(x + 5, y + 5, l.cellWidth, l.cellHeight),
                              picture.scaled(l.cellWidth, l.cellHeight, Qt::IgnoreAspectRatio,
                                             Qt::SmoothTransformation));
            label += FormatDateTime(QStringLiteral("HH:MM:SS"), QFileInfo(path).lastModified(),
                                    context.locale);
        }
        DrawTextAt(painter, metrics, x + 5, y + l.cellHeight + textHeight - 5, label, Qt::white);
    }

    if (sheet.footer) {
        const QString site = TrimText(context.siteLocation);
        QString footer = QStringLiteral("[%1]").arg(sheet.sheetNo) +
                         FormatDateTime(QStringLiteral("DDDD DD-MMMM-YYYY"), context.now,
                                        context.locale);
        if (!site.isEmpty()) footer += QStringLiteral(" Site Location : ") + site;
        DrawTextAt(painter, metrics, 5, l.canvasHeight - textHeight, footer,
                   QColor(192, 192, 192));
        const QString brand = QStringLiteral("TORVEK");
        DrawTextAt(painter, metrics, l.canvasWidth - metrics.horizontalAdvance(brand),
                   l.canvasHeight - textHeight, brand, QColor(255, 255, 0));
    }
    painter.end();
    return canvas;
}
