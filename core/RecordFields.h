#pragma once
// Visitors that turn a field list (offset, name, member[, capacity]) into decoding,
// encoding and the layout table. Used by the record types of core.
#include "platform/RecordCodec.h"

#include <QString>
#include <array>
#include <vector>

namespace recordfields {

struct Layout {
    int offset;
    int size;
    const char* name;
};

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
    std::vector<Layout> rows;
};

} // namespace recordfields
