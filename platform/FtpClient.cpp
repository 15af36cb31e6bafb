#include "platform/FtpClient.h"

namespace platform {

bool IsSafeFtpText(const QString& text) {
    for (QChar c : text)
        if (c == '\r' || c == '\n' || c == QChar(0))
            return false;
    return true;
}

QString ResolveFtpPath(const QString& current, const QString& dir) {
    QStringList parts;
    if (!dir.startsWith('/'))
        parts = current.split('/', Qt::SkipEmptyParts);
    for (const QString& part : dir.split('/', Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    return "/" + parts.join('/');
}

} // namespace platform
