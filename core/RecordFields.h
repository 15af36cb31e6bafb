#pragma once
// Visitors that turn a field list (offset, name, member[, capacity]) into decoding,
// encoding and the layout table, and the FixedRecord members built on them. A record's
// .cpp defines its static VisitFields, includes this and instantiates FixedRecord.
#include "core/FixedRecord.h"
#include "platform/RecordCodec.h"

#include <QString>
#include <array>
#include <vector>

namespace recordfields {

class Decoder {
public:
    explicit Decoder(const QByteArray& image) : in_(image) {}
    void operator()(int at, const char*, qint16& v) { v = in_.Int16(at); }
    void operator()(int at, const char*, qint32& v) { v = in_.Int32(at); }
    void operator()(int at, const char*, quint8& v) { v = in_.Byte(at); }
    void operator()(int at, const char*, bool& v) { v = in_.Boolean(at); }
    void operator()(int at, const char*, char& v) { v = static_cast<char>(in_.Byte(at)); }
    void operator()(int at, const char*, double& v) { v = in_.Double(at); }
    void operator()(int at, const char*, QString& v, int capacity) { v = in_.String(at, capacity); }
    template <size_t N> void operator()(int at, const char*, std::array<qint16, N>& v) {
        for (size_t i = 0; i < N; ++i)
            v[i] = in_.Int16(at + 2 * int(i));
    }
    template <size_t N> void operator()(int at, const char*, std::array<QString, N>& v, int capacity) {
        for (size_t i = 0; i < N; ++i)
            v[i] = in_.String(at + (capacity + 1) * int(i), capacity);
    }

private:
    platform::RecordReader in_;
};

class Encoder {
public:
    explicit Encoder(QByteArray& image) : out_(image) {}
    void operator()(int at, const char*, qint16 v) { out_.Int16(at, v); }
    void operator()(int at, const char*, qint32 v) { out_.Int32(at, v); }
    void operator()(int at, const char*, quint8 v) { out_.Byte(at, v); }
    void operator()(int at, const char*, bool v) { out_.Boolean(at, v); }
    void operator()(int at, const char*, char v) { out_.Byte(at, static_cast<quint8>(v)); }
    void operator()(int at, const char*, double v) { out_.Double(at, v); }
    void operator()(int at, const char*, const QString& v, int capacity) {
        out_.String(at, capacity, v);
    }
    template <size_t N> void operator()(int at, const char*, const std::array<qint16, N>& v) {
        for (size_t i = 0; i < N; ++i)
            out_.Int16(at + 2 * int(i), v[i]);
    }
    template <size_t N> void operator()(int at, const char*, const std::array<QString, N>& v, int capacity) {
        for (size_t i = 0; i < N; ++i)
            out_.String(at + (capacity + 1) * int(i), capacity, v[i]);
    }

private:
    platform::RecordWriter out_;
};

class LayoutCollector {
public:
    template <class T> void operator()(int at, const char* name, const T&) {
        rows.push_back({at, int(sizeof(T)), name});
    }
    void operator()(int at, const char* name, const QString&, int capacity) {
        rows.push_back({at, capacity + 1, name});
    }
    template <size_t N> void operator()(int at, const char* name, const std::array<QString, N>&, int capacity) {
        rows.push_back({at, (capacity + 1) * int(N), name});
    }
    std::vector<RecordFieldInfo> rows;
};

} // namespace recordfields

template <class Record, int Size>
Record FixedRecord<Record, Size>::Decode(const QByteArray& image) {
    Record record;
    record.RecordImage = image.left(Size);
    record.RecordImage.resize(Size, '\0');
    recordfields::Decoder decoder(record.RecordImage);
    Record::VisitFields(record, decoder);
    return record;
}

template <class Record, int Size> QByteArray FixedRecord<Record, Size>::Encode() const {
    QByteArray image = RecordImage;
    image.resize(Size, '\0');
    recordfields::Encoder encoder(image);
    Record::VisitFields(static_cast<const Record&>(*this), encoder);
    return image;
}

template <class Record, int Size>
std::vector<RecordFieldInfo> FixedRecord<Record, Size>::FieldTable() {
    Record record;
    recordfields::LayoutCollector collector;
    Record::VisitFields(record, collector);
    return collector.rows;
}
