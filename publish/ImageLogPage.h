#pragma once
// The FTP picture log: the pictures uploaded since connecting (local path and remote name,
// row by row) and the page imagelog.htm built from them.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The FTP window's export choice (its four radio buttons).
enum class FtpExportMode { Disabled, ExportAll, Recycle, ExportAs };

struct ImageLogList {
    // A row without an upload yet.
    static inline const QString kPlaceholder = QStringLiteral("   ");

    QStringList source; // local picture paths
    QStringList target; // remote names, row i belonging to source row i

    int Count() const { return int(target.size()); }
    void Clear() {
        source.clear();
        target.clear();
    }
};

// Records an uploaded picture. Export As keeps one row per camera (row 0 camera 1, row 1
// camera 2); Export All appends; Recycle keeps a window of maxImages rows, newest last.
void UpdateImageLogList(ImageLogList& list, FtpExportMode mode, int maxImages, const QString& localPath,
                        const QString& remoteName, int camera);

// Reads a picture's note as its lines; nothing when there is no note.
using NoteReader = std::function<std::optional<QStringList>(const QString& notePath)>;
std::optional<QStringList> ReadNoteLines(const QString& notePath);

// The note beside a local picture: the trimmed path less its last 4 characters + ".txt".
QString ImageLogNotePath(const QString& localPath);

// The page's bytes (Windows-1252, CR LF): newest picture first, each with its note.
QByteArray BuildImageLogPage(const ImageLogList& list, const QString& siteLocation,
                             const NoteReader& readNote = ReadNoteLines);
