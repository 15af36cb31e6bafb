#include "publish/ImageLogPage.h"

#include "core/Helpers.h"
#include "platform/Ansi.h"
#include "publish/EAlertPage.h"

#include <QFile>

namespace {

void ResetRows(ImageLogList& list, int rows) {
    list.source = QStringList(rows, ImageLogList::kPlaceholder);
    list.target = QStringList(rows, ImageLogList::kPlaceholder);
}

bool IsPlainName(const QString& name) {
    if (name.isEmpty())
        return false;
    for (QChar c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '.' || c == '-' || c == '_';
        if (!plain)
            return false;
    }
    return true;
}

} // namespace

void UpdateImageLogList(ImageLogList& list, FtpExportMode mode, int maxImages, const QString& localPath,
                        const QString& remoteName, int camera) {
    switch (mode) {
    case FtpExportMode::ExportAs:
        if (camera < 1 || camera > 2)
            return;
        if (list.source.size() != 2 || list.target.size() != 2)
            ResetRows(list, 2);
        list.source[camera - 1] = localPath;
        list.target[camera - 1] = remoteName;
        return;
    case FtpExportMode::ExportAll:
        list.source << localPath;
        list.target << remoteName;
        return;
    case FtpExportMode::Recycle:
        if (maxImages < 1)
            return;
        if (list.target.size() == maxImages && list.source.size() == maxImages) {
            list.source.removeFirst();
            list.target.removeFirst();
            list.source << localPath;
            list.target << remoteName;
        } else {
            ResetRows(list, maxImages);
            list.source.last() = localPath;
            list.target.last() = remoteName;
        }
        return;
    case FtpExportMode::Disabled:
        return;
    }
}

std::optional<QStringList> ReadNoteLines(const QString& notePath) {
    QFile file(notePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString text = platform::FromAnsi(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the final line break ends the last line
    return lines;
}

QString ImageLogNotePath(const QString& localPath) {
    const QString path = TrimText(localPath);
    return path.left(path.size() - 4) + ".txt";
}

QByteArray BuildImageLogPage(const ImageLogList& list, const QString& siteLocation, const NoteReader& readNote) {
    QStringList lines;
    lines << "<HTML><Title>WebCam Pics from" + HtmlEscape(TrimText(siteLocation)) + "</Title>";
    lines << QStringLiteral(
        "<BODY bgColor=\"#000000\" text=\"#FFFFFF\" link=\"#33ccff\" vlink=\"#33ccff\" alink=\"#33ccff\">");
    lines << QStringLiteral("<HR>");
    const int rows = int(std::min(list.source.size(), list.target.size()));
    for (int i = rows - 1; i >= 0; --i) {
        const QString& remote = list.target.at(i);
        if (TrimText(remote).isEmpty())
            continue;
        const QString src = IsPlainName(remote) ? remote : "\"" + HtmlEscape(remote) + "\"";
        lines << QStringLiteral("<TABLE cellPadding=5 width=\"100%\">");
        lines << "<TD vAlign=top align=left><IMG src=" + src + ">";
        lines << QStringLiteral("</TD>");
        lines << QStringLiteral("<TD vAlign=top align=left>");
        lines << QStringLiteral("<font face=\"Arial, Verdana\" size=\"2\" color=\"CCCCC\">");
        if (readNote) {
            if (const std::optional<QStringList> note = readNote(ImageLogNotePath(list.source.at(i))))
                for (const QString& line : *note)
                    lines << HtmlEscape(line) + "<BR>";
        }
        lines << QStringLiteral("</font>") << QStringLiteral("</td>") << QStringLiteral("</TABLE>")
              << QStringLiteral("<HR>") << QStringLiteral("<BR>");
    }
    lines << QStringLiteral("<font face=\"Arial, Verdana\" size=\"1\" color=\"CCCCC\">TORVEK 7.07</font>");
    lines << QStringLiteral("</Body><!-- Made by TORVEK --></HTML>");
    return platform::ToAnsi(lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n"));
}
