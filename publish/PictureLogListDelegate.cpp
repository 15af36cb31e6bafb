#include "publish/PictureLogListDelegate.h"

#include "publish/PictureLogLogic.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>

namespace {

const QColor kSilver(0xC0, 0xC0, 0xC0);

QFont RowFont(const QFont& base, int pointSize) {
    QFont font(base);
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPointSize(pointSize);
    return font;
}

} // namespace

PictureLogListDelegate::PictureLogListDelegate(PictureLogLogic& logic, QObject* parent)
    : QStyledItemDelegate(parent), logic_(logic) {}

QSize PictureLogListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), QFontMetrics(RowFont(option.font, 10)).height() + 2};
}

void PictureLogListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    const int row = index.row();
    const QRect rect = option.rect;
    painter->save();
    painter->fillRect(rect, Qt::black);
    if (!QFileInfo(logic_.PathOf(row)).isFile()) {
        painter->restore();
        return;
    }
    const bool marked = logic_.IsSelected(row) || logic_.SlideshowRow() == row;
    if (logic_.ListByName()) {
        painter->setFont(RowFont(option.font, 10));
        if (marked)
            painter->fillRect(rect, Qt::white);
        painter->setPen(marked ? Qt::black : kSilver);
        painter->drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, logic_.Rows().at(row));
    } else {
        const QStringList times = logic_.RowTimes(row);
        if (times.size() != 2) {
            painter->restore();
            return;
        }
        const QFont font = RowFont(option.font, 10);
        const QFontMetrics metrics(font);
        if (marked) {
            // The red band under the current row's texts.
            const QFont bandFont = RowFont(option.font, 8);
            const int band = QFontMetrics(bandFont).horizontalAdvance(QString(23, QLatin1Char(' ')));
            painter->fillRect(QRect(rect.left(), rect.top(), band, rect.height()), Qt::red);
        }
        painter->setFont(font);
        const QRect left(rect.left(), rect.top(), metrics.horizontalAdvance(times.at(0)) + 2, rect.height());
        const int dateWidth = metrics.horizontalAdvance(times.at(1));
        const QRect right(rect.right() - 5 - dateWidth, rect.top(), dateWidth, rect.height());
        for (const auto& [box, text] : {std::pair{left, times.at(0)}, std::pair{right, times.at(1)}}) {
            if (marked)
                painter->fillRect(box, Qt::white);
            painter->setPen(marked ? Qt::black : kSilver);
            painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
        }
    }
    painter->restore();
}
