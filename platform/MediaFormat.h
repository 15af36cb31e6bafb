#pragma once
// Media types as the capture code sees them: the published media type and subtype
// identifiers, and a media type record with its video or audio header fields. The media
// layer fills these from GStreamer caps; nothing here includes GStreamer.
#include <QString>
#include <QtGlobal>

#include <array>

namespace platform {

struct MediaGuid {
    quint32 Data1 = 0;
    quint16 Data2 = 0;
    quint16 Data3 = 0;
    std::array<quint8, 8> Data4{};

    bool IsNull() const { return *this == MediaGuid{}; }
    // "{73646976-0000-0010-8000-00AA00389B71}"
    QString ToString() const;
    friend bool operator==(const MediaGuid&, const MediaGuid&) = default;
};

// The subtype of a FOURCC-coded format: XXXXXXXX-0000-0010-8000-00AA00389B71.
constexpr MediaGuid FourCCGuid(quint32 fourcc) {
    return {fourcc, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}
constexpr quint32 MakeFourCC(char a, char b, char c, char d) {
    return quint32(quint8(a)) | quint32(quint8(b)) << 8 | quint32(quint8(c)) << 16 |
           quint32(quint8(d)) << 24;
}
constexpr MediaGuid RgbGuid(quint32 data1) {
    return {data1, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
}

namespace guids {
inline constexpr MediaGuid MEDIATYPE_Video = FourCCGuid(MakeFourCC('v', 'i', 'd', 's'));
inline constexpr MediaGuid MEDIATYPE_Audio = FourCCGuid(MakeFourCC('a', 'u', 'd', 's'));
inline constexpr MediaGuid MEDIATYPE_Interleaved = FourCCGuid(MakeFourCC('i', 'a', 'v', 's'));

inline constexpr MediaGuid MEDIASUBTYPE_YVU9 = FourCCGuid(MakeFourCC('Y', 'V', 'U', '9'));
inline constexpr MediaGuid MEDIASUBTYPE_Y411 = FourCCGuid(MakeFourCC('Y', '4', '1', '1'));
inline constexpr MediaGuid MEDIASUBTYPE_Y41P = FourCCGuid(MakeFourCC('Y', '4', '1', 'P'));
inline constexpr MediaGuid MEDIASUBTYPE_YUY2 = FourCCGuid(MakeFourCC('Y', 'U', 'Y', '2'));
inline constexpr MediaGuid MEDIASUBTYPE_YVYU = FourCCGuid(MakeFourCC('Y', 'V', 'Y', 'U'));
inline constexpr MediaGuid MEDIASUBTYPE_UYVY = FourCCGuid(MakeFourCC('U', 'Y', 'V', 'Y'));
inline constexpr MediaGuid MEDIASUBTYPE_Y211 = FourCCGuid(MakeFourCC('Y', '2', '1', '1'));
inline constexpr MediaGuid MEDIASUBTYPE_MJPG = FourCCGuid(MakeFourCC('M', 'J', 'P', 'G'));
inline constexpr MediaGuid MEDIASUBTYPE_RGB1 = RgbGuid(0xE436EB78);
inline constexpr MediaGuid MEDIASUBTYPE_RGB4 = RgbGuid(0xE436EB79);
inline constexpr MediaGuid MEDIASUBTYPE_RGB8 = RgbGuid(0xE436EB7A);
inline constexpr MediaGuid MEDIASUBTYPE_RGB565 = RgbGuid(0xE436EB7B);
inline constexpr MediaGuid MEDIASUBTYPE_RGB555 = RgbGuid(0xE436EB7C);
inline constexpr MediaGuid MEDIASUBTYPE_RGB24 = RgbGuid(0xE436EB7D);
inline constexpr MediaGuid MEDIASUBTYPE_RGB32 = RgbGuid(0xE436EB7E);
inline constexpr MediaGuid MEDIASUBTYPE_ARGB32 = {
    0x773C9AC0, 0x3274, 0x11D0, {0xB7, 0x24, 0x00, 0xAA, 0x00, 0x6C, 0x1A, 0x01}};
inline constexpr MediaGuid MEDIASUBTYPE_Avi = RgbGuid(0xE436EB88);
inline constexpr MediaGuid MEDIASUBTYPE_PCM = FourCCGuid(0x00000001);
inline constexpr MediaGuid MEDIASUBTYPE_IEEE_FLOAT = FourCCGuid(0x00000003);
} // namespace guids

enum class MediaFormatType { None, VideoInfo, VideoInfo2, WaveFormatEx };

// One media type with the fields of its format block that the capture code reads.
struct MediaType {
    MediaGuid MajorType;
    MediaGuid SubType;
    MediaFormatType FormatType = MediaFormatType::None;
    // Video header (bitmap header inside the video info header).
    qint32 BiWidth = 0;
    qint32 BiHeight = 0; // negative for a top-down RGB frame
    quint16 BiBitCount = 0;
    qint64 AvgTimePerFrame = 0; // 100-ns units, 0 when unknown
    // Audio header.
    quint16 Channels = 0;
    quint32 SamplesPerSec = 0;
    quint32 AvgBytesPerSec = 0;
    quint16 BitsPerSample = 0;
    // The GStreamer caps this type stands for (fixed, without frame rate); what the
    // media layer applies when the type is chosen.
    QString Caps;
};

// Frame-interval limits of one capability, 100-ns units (0 = unknown).
struct MediaStreamCaps {
    qint64 MinFrameInterval = 0;
    qint64 MaxFrameInterval = 0;
};

// The stream configuration of a capture pin: its capabilities and current format.
class MediaStreamConfig {
public:
    virtual ~MediaStreamConfig() = default;
    // -1 when the count cannot be read.
    virtual int GetNumberOfCapabilities() const = 0;
    virtual bool GetStreamCaps(int index, MediaType& type, MediaStreamCaps& caps) const = 0;
    virtual bool GetFormat(MediaType& type) const = 0;
    virtual bool SetFormat(const MediaType& type) = 0;
};

} // namespace platform
