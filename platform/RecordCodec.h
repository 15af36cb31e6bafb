#pragma once
// Explicit little-endian offset codec for fixed-layout record files. Fields are read from
// and written into a byte image at their own offsets, never through a struct overlay, so
// bytes that no field names keep whatever the image held.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace platform {

class RecordReader {
public:
    explicit RecordReader(const QByteArray& image) : image_(image) {}

    qint16 Int16(int offset) const;
    qint32 Int32(int offset) const;
    quint8 Byte(int offset) const;
    // Any non-zero byte is True.
    bool Boolean(int offset) const;
    double Double(int offset) const;
    // A length byte followed by `capacity` bytes; a length above the capacity is clamped.
    QString String(int offset, int capacity) const;

private:
    const QByteArray& image_;
};

class RecordWriter {
public:
    explicit RecordWriter(QByteArray& image) : image_(image) {}

    void Int16(int offset, qint16 value);
    void Int32(int offset, qint32 value);
    void Byte(int offset, quint8 value);
    void Boolean(int offset, bool value);
    void Double(int offset, double value);
    // Text longer than the capacity is cut; the bytes behind the text are cleared so no
    // stale characters (an old password, say) linger in the file.
    void String(int offset, int capacity, const QString& text);

private:
    QByteArray& image_;
};

} // namespace platform
