#pragma once
// The record of the driver alias file dX250307.dat and the text line that shows it in the
// driver list. Records are 312 bytes, little-endian, read and written through explicit offsets.
#include <QByteArray>
#include <QString>

struct DriverAliasRecord {
    static constexpr int Size = 312;
    static constexpr int StringCapacity = 100;
    static constexpr int NameOffset = 0;
    static constexpr int AliasOffset = 101;
    static constexpr int StatusOffset = 202;
    static constexpr int Reserved1Offset = 304;
    static constexpr int Reserved2Offset = 308;

    QString DriverName;
    QString DriverAlias;
    QString DriverStatus;
    qint32 Reserved1 = 0;
    qint32 Reserved2 = 0;
    // The record's bytes as read; a rewrite starts from them so undefined and padding bytes
    // survive. Empty for a new record (written as zeros).
    QByteArray Raw;

    // Decodes the first Size bytes of data; a short buffer gives an empty record.
    static DriverAliasRecord Decode(const QByteArray& data);
    QByteArray Encode() const;
};

// Trims characters at or below the blank from both ends.
QString TrimBlanks(const QString& text);

// A device name as it reads back after a round trip through a record: at most 100 characters,
// unrepresentable characters replaced, then trimmed. Rows and records are matched by this.
QString DriverKey(const QString& deviceName);

// The driver-list line of a record: name, "ZXZXZX", alias, "WEWEWE", status (each trimmed).
QString FormatDriverLine(const DriverAliasRecord& record);
QString FormatDriverLine(const QString& name, const QString& alias, const QString& status);

// Splits a driver-list line. The status is taken after the last "WEWEWE", so an alias that
// happens to contain the marker does not swallow the status.
void SplitDriverLine(const QString& line, QString& name, QString& status, QString& alias);
