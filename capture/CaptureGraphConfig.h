#pragma once
// The capture settings of one camera: devices, wanted streams, files, formats and modes.
// Written as comma-separated key=value text into CAM<n>.DAT.
#include "capture/CaptureModes.h"
#include "platform/ProgramFolder.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;
class VideoCapture;

// Ordinal counts of the grabbed bitmap format (pfDevice .. pfCustom, 6 = pf24bit) and of the
// DV decoder size (dvrDontWorry .. dvrDC).
constexpr int kPixelFormatCount = 9;
constexpr int kPixelFormat24bit = 6;
constexpr int kDVResolutionCount = 5;

class CaptureGraphConfig {
public:
    explicit CaptureGraphConfig(qint32 number = 0);

    void SetDefaults(qint32 number);
    QString AsCommaText() const;
    // Writes the 4-byte little-endian length and the text; true when both writes were whole.
    bool SaveToStream(QIODevice* stream) const;
    // Fills the configuration from the control's current state (defaults first).
    void ReadFrom(VideoCapture& cap, qint32 number);
    // Tears the control's graph down, applies settings and devices, builds the filters (the
    // result goes into CaptureErrorFlag: 1 = built), selects the modes, builds the graph and
    // starts the preview when wanted.
    // refreshDevices false: the device lists were just refreshed by the caller.
    void ApplyTo(VideoCapture& cap, bool refreshDevices = true) const;

    qint32 Number = 0;
    QString VCapSource;
    QString ACapSource;
    QString VComp;
    QString AComp;
    AudioMode ACapMode{};
    VideoMode VCapMode{};
    QByteArray VCompState;
    bool WantCapture = false;
    bool WantPreview = false;
    bool WantBitmaps = false;
    bool WantAudio = false;
    bool WantDVAudio = false;
    bool WantAudioPreview = false;
    int PixelFormat = kPixelFormat24bit;
    DvResolution DVResolution = dvrFull;
    QString CaptureFileName;
    bool UseTempFile = false;
    QString TempCaptureFileName;
    bool DoPreallocFile = true;
    quint32 PreallocFileSize = 10;
};

// The 16 bytes of a GUID in memory order as 32 upper-case hex digits.
QString GuidToHex(const FormatGuid& guid);
// Each byte as two upper-case hex digits.
QString StrToHex(const QByteArray& bytes);
// Joins items as a comma list; an item holding a character at or below the blank, a double
// quote or a comma is quoted, inner quotes doubled.
QString JoinCommaText(const QStringList& items);

// <program folder>CAM<n>.DAT
QString CameraConfigFileName(const platform::ProgramFolder& folder, int recordNumber);
// Replaces the file with the configuration; false (and a clear reason in error) when the old
// file cannot be removed or the new one cannot be written whole.
bool SaveCameraConfigFile(const QString& path, const CaptureGraphConfig& config, QString* error = nullptr);
