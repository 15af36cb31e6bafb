#include "capture/DriverAliasRecord.h"

#include "platform/Ansi.h"

#include <QtEndian>

namespace {

const QString kNameMark = QStringLiteral("ZXZXZX");
const QString kStatusMark = QStringLiteral("WEWEWE");

QString ReadShortString(const QByteArray& data, int offset) {
    int length = quint8(data[offset]);
    if (length > DriverAliasRecord::StringCapacity)
        length = DriverAliasRecord::StringCapacity;
    return platform::FromAnsi(data.mid(offset + 1, length));
}

void WriteShortString(QByteArray& data, int offset, const QString& text) {
    QByteArray bytes = platform::ToAnsi(text).left(DriverAliasRecord::StringCapacity);
    data[offset] = char(bytes.size());
    for (int i = 0; i < bytes.size(); ++i)
        data[offset + 1 + i] = bytes[i];
}

qint32 ReadInt32(const QByteArray& data, int offset) {
    return qFromLittleEndian<qint32>(data.constData() + offset);
}

void WriteInt32(QByteArray& data, int offset, qint32 value) {
    qToLittleEndian<qint32>(value, data.data() + offset);
}

} // namespace

DriverAliasRecord DriverAliasRecord::Decode(const QByteArray& data) {
    DriverAliasRecord record;
    if (data.size() < Size)
        return record;
    record.Raw = data.left(Size);
    record.DriverName = ReadShortString(record.Raw, NameOffset);
    record.DriverAlias = ReadShortString(record.Raw, AliasOffset);
    record.DriverStatus = ReadShortString(record.Raw, StatusOffset);
    record.Reserved1 = ReadInt32(record.Raw, Reserved1Offset);
    record.Reserved2 = ReadInt32(record.Raw, Reserved2Offset);
    return record;
}

QByteArray DriverAliasRecord::Encode() const {
    QByteArray data = Raw.size() == Size ? Raw : QByteArray(Size, '\0');
    WriteShortString(data, NameOffset, DriverName);
    WriteShortString(data, AliasOffset, DriverAlias);
    WriteShortString(data, StatusOffset, DriverStatus);
    WriteInt32(data, Reserved1Offset, Reserved1);
    WriteInt32(data, Reserved2Offset, Reserved2);
    return data;
}

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= ' ')
        ++begin;
    while (end > begin && text[end - 1].unicode() <= ' ')
        --end;
    return text.mid(begin, end - begin);
}

QString DriverKey(const QString& deviceName) {
    QByteArray bytes = platform::ToAnsi(deviceName).left(DriverAliasRecord::StringCapacity);
    return TrimBlanks(platform::FromAnsi(bytes));
}

QString FormatDriverLine(const QString& name, const QString& alias, const QString& status) {
    return TrimBlanks(name) + kNameMark + TrimBlanks(alias) + kStatusMark + TrimBlanks(status);
}

QString FormatDriverLine(const DriverAliasRecord& record) {
    return FormatDriverLine(record.DriverName, record.DriverAlias, record.DriverStatus);
}

void SplitDriverLine(const QString& line, QString& name, QString& status, QString& alias) {
    qsizetype nameEnd = line.indexOf(kNameMark);
    if (nameEnd < 0) {
        name = line;
        alias.clear();
        status.clear();
        return;
    }
    name = line.left(nameEnd);
    qsizetype aliasBegin = nameEnd + kNameMark.size();
    qsizetype statusMark = line.lastIndexOf(kStatusMark);
    if (statusMark < aliasBegin) {
        alias = line.mid(aliasBegin);
        status.clear();
        return;
    }
    alias = line.mid(aliasBegin, statusMark - aliasBegin);
    status = line.mid(statusMark + kStatusMark.size());
}
