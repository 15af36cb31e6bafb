#include "platform/RecordCodec.h"

#include "platform/Ansi.h"

#include <QtEndian>
#include <cstring>

namespace platform {

namespace {

const uchar* At(const QByteArray& image, int offset, int size) {
    Q_ASSERT(offset >= 0 && offset + size <= image.size());
    return reinterpret_cast<const uchar*>(image.constData()) + offset;
}

uchar* At(QByteArray& image, int offset, int size) {
    Q_ASSERT(offset >= 0 && offset + size <= image.size());
    return reinterpret_cast<uchar*>(image.data()) + offset;
}

} // namespace

qint16 RecordReader::Int16(int offset) const {
    return qFromLittleEndian<qint16>(At(image_, offset, 2));
}

qint32 RecordReader::Int32(int offset) const {
    return qFromLittleEndian<qint32>(At(image_, offset, 4));
}

quint8 RecordReader::Byte(int offset) const {
    return *At(image_, offset, 1);
}

bool RecordReader::Boolean(int offset) const {
    return Byte(offset) != 0;
}

double RecordReader::Double(int offset) const {
    const quint64 bits = qFromLittleEndian<quint64>(At(image_, offset, 8));
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QString RecordReader::String(int offset, int capacity) const {
    const uchar* p = At(image_, offset, capacity + 1);
    const int length = qMin<int>(p[0], capacity);
    return FromAnsi(reinterpret_cast<const char*>(p + 1), length);
}

void RecordWriter::Int16(int offset, qint16 value) {
    qToLittleEndian<qint16>(value, At(image_, offset, 2));
}

void RecordWriter::Int32(int offset, qint32 value) {
    qToLittleEndian<qint32>(value, At(image_, offset, 4));
}

void RecordWriter::Byte(int offset, quint8 value) {
    *At(image_, offset, 1) = value;
}

void RecordWriter::Boolean(int offset, bool value) {
    Byte(offset, value ? 1 : 0);
}

void RecordWriter::Double(int offset, double value) {
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian<quint64>(bits, At(image_, offset, 8));
}

void RecordWriter::String(int offset, int capacity, const QString& text) {
    uchar* p = At(image_, offset, capacity + 1);
    const QByteArray bytes = ToAnsi(text.left(capacity));
    p[0] = static_cast<uchar>(bytes.size());
    std::memcpy(p + 1, bytes.constData(), bytes.size());
    std::memset(p + 1 + bytes.size(), 0, capacity - bytes.size());
}

} // namespace platform
