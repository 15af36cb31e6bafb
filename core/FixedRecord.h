#pragma once
// Common shape of the station's fixed-layout records: the whole byte image is kept, fields
// are decoded from it and encoded back over it, so bytes that no field names round-trip.
// The codec lives in core/RecordFields.h; each record instantiates it in its own .cpp.
#include <QByteArray>
#include <vector>

// One row of a record's layout: where a field lies and how many bytes it takes.
struct RecordFieldInfo {
    int offset;
    int size;
    const char* name;
};

template <class Record, int Size> struct FixedRecord {
    static constexpr int kSize = Size;
    using FieldInfo = RecordFieldInfo;

    // Reads an image of kSize bytes (a shorter one is padded with zeros).
    static Record Decode(const QByteArray& image);
    // The kept image with every field written over it.
    QByteArray Encode() const;
    static std::vector<FieldInfo> FieldTable();

    // The whole image as last read or laid down (zero in a fresh record).
    QByteArray RecordImage = QByteArray(Size, '\0');
};
