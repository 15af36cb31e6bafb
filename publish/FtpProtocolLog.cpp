#include "publish/FtpProtocolLog.h"

namespace {

QString MaskPassword(const QString& piece) {
    if (piece.startsWith(QLatin1String("PASS "), Qt::CaseInsensitive) ||
        piece.compare(QLatin1String("PASS"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("PASS ****");
    return piece;
}

} // namespace

QStringList SplitProtocolText(const QString& prefix, const QString& chunk) {
    QStringList rows;
    qsizetype start = 0;
    for (;;) {
        const qsizetype cr = chunk.indexOf('\r', start);
        if (cr < 0)
            break;
        rows << prefix + MaskPassword(chunk.mid(start, cr - start));
        start = cr + 1;
        if (start < chunk.size() && chunk.at(start) == '\n')
            ++start;
    }
    if (start < chunk.size())
        rows << prefix + MaskPassword(chunk.mid(start));
    return rows;
}

QColor ProtocolRowColour(const QString& row) {
    QColor colour = row.indexOf(QLatin1String(">>")) >= 1 ? QColor(Qt::red) : QColor(Qt::blue);
    for (const char* word : {"Connect", "Disconnect", "Resolving", "Resolve"})
        if (row.contains(QLatin1String(word)))
            colour = Qt::black;
    if (row.contains(QLatin1String("Quit")))
        colour = Qt::yellow;
    return colour;
}

QString ProtocolRowDisplayText(const QString& row) {
    if (row.contains(QLatin1String(">>")) || row.contains(QLatin1String("<<")))
        return row.mid(4);
    return row;
}

FtpProtocolLog::FtpProtocolLog(QObject* parent) : QAbstractListModel(parent) {}

void FtpProtocolLog::AddSent(const QString& chunk) { Append(SplitProtocolText(kSentPrefix, chunk), std::nullopt); }

void FtpProtocolLog::AddReceived(const QString& chunk) {
    Append(SplitProtocolText(kReceivedPrefix, chunk), std::nullopt);
}

void FtpProtocolLog::AddRow(const QString& text, std::optional<QColor> colour) {
    QString row = text;
    while (row.endsWith('\n') || row.endsWith('\r'))
        row.chop(1);
    Append({row}, colour);
}

void FtpProtocolLog::Clear() {
    beginResetModel();
    rows_.clear();
    colours_.clear();
    endResetModel();
}

void FtpProtocolLog::Append(const QStringList& rows, std::optional<QColor> colour) {
    if (rows.isEmpty())
        return;
    const int overflow = int(rows_.size() + rows.size()) - kMaxRows;
    if (overflow > 0) {
        const int drop = std::min(overflow, int(rows_.size()));
        beginRemoveRows(QModelIndex(), 0, drop - 1);
        rows_.remove(0, drop);
        colours_.remove(0, drop);
        endRemoveRows();
    }
    QStringList adding = rows;
    if (adding.size() > kMaxRows)
        adding = adding.mid(adding.size() - kMaxRows);
    const int first = int(rows_.size());
    beginInsertRows(QModelIndex(), first, first + int(adding.size()) - 1);
    for (const QString& row : adding) {
        rows_ << row;
        colours_ << colour;
    }
    endInsertRows();
    emit RowAdded(int(rows_.size()) - 1);
}

int FtpProtocolLog::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

QVariant FtpProtocolLog::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= rows_.size())
        return {};
    const QString& row = rows_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return ProtocolRowDisplayText(row);
    case Qt::ForegroundRole:
        return colours_.at(index.row()).value_or(ProtocolRowColour(row));
    case Qt::UserRole:
        return row;
    default:
        return {};
    }
}
