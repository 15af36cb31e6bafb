#include "core/PictureNames.h"

#include "core/Helpers.h"

#include <QRegularExpression>

QString FormatPictureNumber(qint64 number) {
    if (number < 0)
        return "-" + QString::number(-number).rightJustified(5, '0');
    return QString::number(number).rightJustified(6, '0');
}

QString PictureFileNameFor(qint64 number, const QString& namePrefix) {
    const QString prefix = PictureNamePart(namePrefix);
    if (prefix.isEmpty())
        return "Image" + FormatPictureNumber(number) + ".jpg";
    return FormatPictureNumber(number) + prefix + ".jpg";
}

QString PictureNamePart(const QString& namePrefix) { return TrimText(namePrefix.left(6)); }

namespace {

bool IsCounterDigits(const QString& text) {
    if (text.isEmpty() || text.size() > 18)
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

} // namespace

qint64 PictureNumberOf(const QString& fileName, const QString& namePrefix) {
    // The counter's digits are the ones before this computer's name part: a name part that
    // begins with a digit ("1host") must not lend its digits to the number.
    const QString part = PictureNamePart(namePrefix);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (!part.isEmpty() && dot > 0) {
        const QString base = fileName.left(dot);
        if (base.endsWith(part)) {
            const QString digits = base.left(base.size() - part.size());
            if (IsCounterDigits(digits))
                return digits.toLongLong();
        }
    }
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
    const QString site = TrimText(siteLocation);
    const QString camera = TrimText(cameraName);
    if (!site.isEmpty())
        lines << "Site Location " + site;
    if (!camera.isEmpty())
        lines << "Cam Location " + camera;
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
    return TrimText(exportName) + ("000000" + QString::number(ring)).right(5) + ".jpg";
}

QString FtpExportAsRemoteName(const QString& exportName) {
    QString name = TrimText(exportName);
    if (name.size() <= 1)
        return {};
    if (name.right(4).toLower() != ".jpg")
        name += ".jpg";
    return name;
}

bool IsStationPictureName(const QString& fileName) {
    static const QRegularExpression pattern(
        QStringLiteral("^(?:[0-9]{6,}[^/\\\\]{0,6}|image[0-9]{6,})\\.jpg$"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(fileName).hasMatch();
}
