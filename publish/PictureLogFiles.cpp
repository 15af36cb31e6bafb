#include "publish/PictureLogFiles.h"

#include "core/DateTimeFormat.h"
#include "platform/Ansi.h"
#include "platform/Jpeg.h"
#include "platform/WholeFile.h"
#include "publish/BitmapScaling.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>

QStringList ListLogPictures(const QString& folder) {
    if (folder.isEmpty())
        return {};
    QStringList pictures;
    // Every entry but folders, hidden ones too. The directory's own entry types spare a
    // status call per picture: at 10,000 pictures that is most of the time to list them.
    std::error_code error;
    for (std::filesystem::directory_iterator it(QFile::encodeName(folder).toStdString(), error), end;
         !error && it != end; it.increment(error)) {
        const QString name = QFile::decodeName(it->path().filename().c_str());
        std::error_code typeError;
        if (name.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive) && !it->is_directory(typeError))
            pictures << name;
    }
    // Station names are zero-padded numbers, so name order is picture order.
    std::sort(pictures.begin(), pictures.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return pictures;
}

QString PictureNotePath(const QString& picturePath) {
    return picturePath.left(picturePath.size() - 4) + QStringLiteral(".txt");
}

bool IsShowablePicture(const QString& picturePath) {
    const QFileInfo info(picturePath);
    return info.isFile() && info.size() >= kSmallestShownPicture;
}

QString LogCounterCaption(int camera, int row, int count) {
    const QString prefix = QStringLiteral("Cam ") + QString::number(camera) + QLatin1Char(' ');
    if (count <= 0 || row < 0)
        return prefix + QStringLiteral("000000 of 000000");
    auto six = [](int n) { return (QStringLiteral("000000") + QString::number(n)).right(6); };
    return prefix + six(row + 1) + QStringLiteral(" of ") + six(count);
}

QString LogRowTimeText(const QDateTime& when) { return FormatDateTime(QStringLiteral("hh:nn:ss"), when); }

QString LogRowDateText(const QDateTime& when) {
    return FormatDateTime(QStringLiteral("ddd-dd-mmm"), when) + QStringLiteral("  ");
}

QString ReadNoteText(const QString& notePath, bool* ok) {
    QFile file(notePath);
    const bool opened = file.open(QIODevice::ReadOnly);
    if (ok)
        *ok = opened;
    if (!opened)
        return {};
    QString text = platform::FromAnsi(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

bool WriteNoteText(const QString& notePath, const QString& text, QString* error) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return platform::WriteWholeFile(notePath, platform::ToAnsi(lines), error);
}

QImage RotateBitmap90(const QImage& bitmap) {
    if (bitmap.isNull())
        return {};
    const QImage source = bitmap.format() == QImage::Format_RGB888 ? bitmap
                                                                   : bitmap.convertToFormat(QImage::Format_RGB888);
    const int w = source.width();
    const int h = source.height();
    QImage turned(h, w, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y) {
        const uchar* in = source.constScanLine(y);
        const int nx = h - 1 - y;
        for (int x = 0; x < w; ++x) {
            uchar* out = turned.scanLine(x) + nx * 3;
            out[0] = in[x * 3];
            out[1] = in[x * 3 + 1];
            out[2] = in[x * 3 + 2];
        }
    }
    return turned;
}

bool RotatePictureFile(const QString& picturePath, QString* error) {
    QImage picture;
    if (!platform::LoadJpeg(picturePath, &picture, error))
        return false;
    return SaveBitmapAsJpeg(RotateBitmap90(picture), picturePath, error);
}

QString WithJpgExtension(const QString& fileName) {
    const QFileInfo info(fileName);
    const QString base = info.completeBaseName().isEmpty() && !info.suffix().isEmpty() ? info.fileName()
                                                                                        : info.completeBaseName();
    const QString dir = fileName.left(fileName.size() - info.fileName().size());
    return dir + base + QStringLiteral(".jpg");
}
