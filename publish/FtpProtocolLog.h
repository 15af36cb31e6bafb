#pragma once
// The FTP window's protocol log: control-channel text cut into rows, status texts, and
// the colours the rows are drawn in. Holds the newest rows only, so weeks of keep-alive
// listings do not grow it without end.
#include <QAbstractListModel>
#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

// The rows of one control-channel chunk: cut at each CR, a LF right after a CR dropped,
// every piece prefixed; text after the last CR forms a last row. "PASS <secret>" shows as
// "PASS ****".
QStringList SplitProtocolText(const QString& prefix, const QString& chunk);

// The colour of a row and the text it is drawn with.
QColor ProtocolRowColour(const QString& row);
QString ProtocolRowDisplayText(const QString& row);

class FtpProtocolLog : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kMaxRows = 5000;
    static inline const QString kSentPrefix = QStringLiteral("->> ");
    static inline const QString kReceivedPrefix = QStringLiteral("<<- ");

    explicit FtpProtocolLog(QObject* parent = nullptr);

    // Text the client sent or received.
    void AddSent(const QString& chunk);
    void AddReceived(const QString& chunk);
    // A status or message row; colour overrides the drawing rules (red for failures).
    void AddRow(const QString& text, std::optional<QColor> colour = std::nullopt);

    const QStringList& Rows() const { return rows_; }
    int Count() const { return int(rows_.size()); }
    void Clear();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // DisplayRole: the drawn text; ForegroundRole: the colour; UserRole: the raw row.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

signals:
    // The newest row, so the view selects it and scrolls to it.
    void RowAdded(int row);

private:
    void Append(const QStringList& rows, std::optional<QColor> colour);

    QStringList rows_;
    QList<std::optional<QColor>> colours_;
};
