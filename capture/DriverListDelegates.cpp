#include "capture/DriverListDelegates.h"

#include "capture/DriverAliasRecord.h"
#include "capture/DriverAliasRegistry.h"

#include <QPainter>

namespace {
const QColor kYellow(255, 255, 0);
const QColor kSilver(192, 192, 192);
} // namespace

void DriverStatusDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const QRect rect = option.rect;
    QString name, status, alias;
    SplitDriverLine(index.data(Qt::DisplayRole).toString(), name, status, alias);

    painter->save();
    painter->fillRect(rect, Qt::black);
    painter->setFont(option.font);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    auto draw = [&](int x, int width, const QString& text) {
        painter->drawText(QRect(rect.left() + x, rect.top(), width, rect.height()), flags, text);
    };
    painter->setPen(Qt::white);
    draw(0, 20, QString::number(index.row() + 1));
    draw(20, 200, name);
    painter->setPen(status == DriverAliasRegistry::kStatusNotFound ? kSilver : kYellow);
    draw(220, 260, alias);
    draw(480, qMax(0, rect.width() - 480), status);
    painter->restore();
}

QString CameraAliasDelegate::displayText(const QVariant& value, const QLocale&) const {
    const QString item = value.toString();
    return Alias && !(Suspended && Suspended()) ? Alias(item) : item;
}

void CameraAliasDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    if (Suspended && Suspended())
        return;
    QColor colour = kSilver;
    if (ActiveRow && ActiveRow() == index.row())
        colour = kYellow;
    else if (option.state & QStyle::State_Selected)
        colour = Qt::white;

    painter->save();
    painter->fillRect(option.rect, Qt::black);
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPointSize(8);
    painter->setFont(font);
    painter->setPen(colour);
    painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      displayText(index.data(Qt::DisplayRole), option.locale));
    painter->restore();
}
