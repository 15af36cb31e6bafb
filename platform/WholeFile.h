#pragma once
// Whole-file writes that a reader never sees half done, the one way the station replaces a
// file: the data goes to a temporary file beside the target (".<name>.<pid>.<n>.part"),
// every write, the sync to disk and the close are checked, and only then is the temporary
// renamed over the target. On any failure the temporary is removed and the old file stays
// byte for byte.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace platform {

enum class FileSync {
    Durable, // the data reaches the disk before the rename (settings, records, pages)
    Cached,  // left to the page cache (pictures and their notes: several a second)
};

enum class FileAccess {
    AsBefore,  // the replaced file's permissions (0644 less the umask for a new file)
    OwnerOnly, // 0600 from the moment the file appears (files holding passwords)
};

// A file written under its temporary name and not yet in place, so that two files can
// appear in a chosen order. Destroying it before Commit removes the temporary.
class StagedFile {
public:
    StagedFile() = default;
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Writes data to a fresh temporary beside path. False (temporary removed, *error says
    // why) when any step fails.
    bool Write(const QString& path, const QByteArray& data, QString* error = nullptr,
               FileSync sync = FileSync::Durable, FileAccess access = FileAccess::AsBefore);
    // Renames the temporary over the target. False (temporary removed) when it fails.
    bool Commit(QString* error = nullptr);
    // Removes the temporary, if any.
    void Discard();

    const QString& TargetPath() const { return path_; }

private:
    QString path_;
    QByteArray temporary_;
    FileSync sync_ = FileSync::Durable;
};

// Writes data as the file at path (Write, then Commit). On failure nothing at path has
// changed, no temporary is left, and *error (when given) says why in plain words.
bool WriteWholeFile(const QString& path, const QByteArray& data, QString* error = nullptr,
                    FileSync sync = FileSync::Durable, FileAccess access = FileAccess::AsBefore);

// Replaces the content of a small file (a counter line) by one write at its start, then
// cuts it to the new length. It never reads empty or half-written: the first line is
// either the old or the new one, and a full disk cannot stop it (no new block is needed).
// Only for data that fits one disk sector.
bool RewriteSmallFile(const QString& path, const QByteArray& data, QString* error = nullptr);

// True for a name StagedFile makes; *pid gets the process that made it.
bool IsStagedFileName(const QString& fileName, qint64* pid = nullptr);

// Removes the temporaries that writes cut short left in folder: those of processes no
// longer running, and this process's own (at start-up these come from an earlier process
// that had the same id). Returns the names removed.
QStringList RemoveStrayStagedFiles(const QString& folder);

// Tests that stop a writer part way: called after each step of a write (temporary
// written, renamed into place, small file rewritten). Empty by default.
void SetFileStepObserver(std::function<void()> observer);

} // namespace platform
