#include "capture/CaptureGraphConfig.h"

#include "platform/Ansi.h"
#include "platform/RecordFile.h"

#include <QFile>
#include <QIODevice>
#include <QBuffer>
#include <QtEndian>

CaptureGraphConfig::CaptureGraphConfig(qint32 number) {
    SetDefaults(number);
    Number = number;
}

void CaptureGraphConfig::SetDefaults(qint32 number) {
    VCapSource.clear();
    ACapSource.clear();
    VComp.clear();
    AComp.clear();
    ACapMode = AudioMode{};
    VCapMode = VideoMode{};
    WantCapture = false;
    WantPreview = false;
    WantBitmaps = false;
    WantAudio = false;
    WantDVAudio = false;
    WantAudioPreview = false;
    PixelFormat = kPixelFormat24bit;
    DVResolution = dvrFull;
    CaptureFileName = QStringLiteral("buffer%1.kmx").arg(number);
    UseTempFile = false;
    TempCaptureFileName = QStringLiteral("captemp.kmx");
    DoPreallocFile = true;
    PreallocFileSize = 10;
}

QString CaptureGraphConfig::AsCommaText() const {
    QStringList items;
    const std::pair<bool, const char*> flags[] = {
        {WantBitmaps, "WantBitmaps=0"},       {WantCapture, "WantCapture=0"},
        {WantPreview, "WantPreview=0"},       {WantDVAudio, "WantDVAudio=0"},
        {WantAudio, "WantAudio=0"},           {WantAudioPreview, "WantAudioPreview=0"},
        {DoPreallocFile, "DoPreallocFile=0"}, {UseTempFile, "UseTempFile=0"},
    };
    for (const auto& [on, item] : flags)
        if (!on)
            items << QString::fromLatin1(item);
    items << QStringLiteral("PreallocFileSize=%1").arg(PreallocFileSize)
          << QStringLiteral("TempCaptureFileName=") + TempCaptureFileName
          << QStringLiteral("CaptureFileName=") + CaptureFileName
          << QStringLiteral("DVResolution=%1").arg(int(DVResolution))
          << QStringLiteral("PixelFormat=%1").arg(PixelFormat)
          << QStringLiteral("VCapSource=") + VCapSource
          << QStringLiteral("ACapSource=") + ACapSource
          << QStringLiteral("AComp=") + AComp
          << QStringLiteral("VComp=") + VComp
          << QStringLiteral("ACapModeMediaSubType=") + GuidToHex(ACapMode.MediaSubType)
          << QStringLiteral("ACapModeSampleRate=%1").arg(ACapMode.SampleRate)
          << QStringLiteral("ACapModeAvgSampleRate=%1").arg(ACapMode.AvgSampleRate)
          << QStringLiteral("ACapModeSampleSize=%1").arg(ACapMode.SampleSize)
          << QStringLiteral("ACapModeChannels=%1").arg(ACapMode.Channels)
          << QStringLiteral("VCapModeMediaSubType=") + GuidToHex(VCapMode.MediaSubType)
          << QStringLiteral("VCapModeWidth=%1").arg(VCapMode.Width)
          << QStringLiteral("VCapModeHeight=%1").arg(VCapMode.Height)
          << QStringLiteral("VCapModeBits=%1").arg(VCapMode.Bits)
          << QStringLiteral("VCompState=") + StrToHex(VCompState);
    return JoinCommaText(items);
}

bool CaptureGraphConfig::SaveToStream(QIODevice* stream) const {
    if (!stream)
        return false;
    QByteArray text = platform::ToAnsi(AsCommaText());
    char length[4];
    qToLittleEndian<quint32>(quint32(text.size()), length);
    if (stream->write(length, 4) != 4)
        return false;
    return stream->write(text) == text.size();
}

QString GuidToHex(const FormatGuid& guid) {
    char bytes[16];
    qToLittleEndian<quint32>(guid.Data1, bytes);
    qToLittleEndian<quint16>(guid.Data2, bytes + 4);
    qToLittleEndian<quint16>(guid.Data3, bytes + 6);
    for (int i = 0; i < 8; ++i)
        bytes[8 + i] = char(guid.Data4[i]);
    return StrToHex(QByteArray(bytes, 16));
}

QString StrToHex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QString JoinCommaText(const QStringList& items) {
    QStringList parts;
    parts.reserve(items.size());
    for (const QString& item : items) {
        bool quote = false;
        for (QChar c : item)
            if (c.unicode() <= ' ' || c == QLatin1Char('"') || c == QLatin1Char(',')) {
                quote = true;
                break;
            }
        if (!quote) {
            parts << item;
            continue;
        }
        QString quoted = item;
        quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
        parts << QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    return parts.join(QLatin1Char(','));
}

QString CameraConfigFileName(const platform::ProgramFolder& folder, int recordNumber) {
    return folder.File(QStringLiteral("CAM%1.DAT").arg(recordNumber));
}

bool SaveCameraConfigFile(const QString& path, const CaptureGraphConfig& config, QString* error) {
    // Swapped in whole, so a failed write keeps the old settings.
    QBuffer text;
    text.open(QIODevice::WriteOnly);
    QString why;
    if (!config.SaveToStream(&text) || !platform::WriteFileAtomically(path, text.data(), &why)) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(path, why);
        return false;
    }
    return true;
}
