#include "core/PictureNames.h"

QString FormatPictureNumber(qint64 number) {
    if (number < 0)
        return "-" + QString::number(-number).rightJustified(5, '0');
    return QString::number(number).rightJustified(6, '0');
}

QString PictureFileNameFor(qint64 number, const QString& namePrefix) {
    const QString prefix = namePrefix.left(6).trimmed();
    if (prefix.isEmpty())
        return "Image" + FormatPictureNumber(number) + ".jpg";
    return FormatPictureNumber(number) + prefix + ".jpg";
}

qint64 PictureNumberOf(const QString& fileName) {
    qsizetype i = 0;
    if (fileName.startsWith("Image", Qt::CaseInsensitive))
        i = 5;
    const qsizetype start = i;
    while (i < fileName.size() && fileName.at(i).isDigit() && fileName.at(i).unicode() < 128)
        ++i;
    if (i == start || i - start > 18)
        return -1;
    return fileName.mid(start, i - start).toLongLong();
}

QString NoteFileNameFor(const QString& pictureName) { return pictureName.left(pictureName.size() - 4) + ".txt"; }

QStringList PictureNoteLines(qint64 number, const QString& pictureName, const QString& siteLocation,
                             const QString& cameraName, const QString& capturedTime) {
    QStringList lines;
    lines << "N.o. " + FormatPictureNumber(number);
    if (!siteLocation.trimmed().isEmpty())
        lines << "Site Location " + siteLocation.trimmed();
    if (!cameraName.trimmed().isEmpty())
        lines << "Cam Location " + cameraName.trimmed();
    lines << pictureName + " Captured " + capturedTime;
    return lines;
}

int NextFtpRingPosition(int ring, int maxImages) {
    ++ring;
    if (ring > maxImages || ring < 1)
        ring = 1;
    return ring;
}

QString FtpRingRemoteName(const QString& exportName, int ring) {
    return exportName.trimmed() + ("000000" + QString::number(ring)).right(5) + ".jpg";
}

QString FtpExportAsRemoteName(const QString& exportName) {
    QString name = exportName.trimmed();
    if (name.size() <= 1)
        return {};
    if (name.right(4).toLower() != ".jpg")
        name += ".jpg";
    return name;
}
