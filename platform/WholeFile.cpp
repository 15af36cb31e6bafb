#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::function<void()>& StepObserver() {
    static std::function<void()> observer;
    return observer;
}

void StepDone() {
    if (StepObserver())
        StepObserver()();
}

QString ErrnoText(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

// A name that no picture mask ("*.jpg", "*.txt") matches, unique within the process.
QString TemporaryNameFor(const QString& path) {
    static std::atomic<quint64> serial{0};
    const QFileInfo info(path);
    return info.absolutePath() + "/." + info.fileName() + "." + QString::number(getpid()) + "." +
           QString::number(++serial) + ".part";
}

const QRegularExpression& StagedNamePattern() {
    static const QRegularExpression pattern(QStringLiteral("^\\..+\\.([0-9]{1,10})\\.[0-9]{1,20}\\.part$"));
    return pattern;
}

bool ProcessIsRunning(qint64 pid) {
    if (pid <= 0 || pid > 0x7fffffff)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// Writes all of data to fd; the errno of the failing write, else 0.
int WriteAll(int fd, const QByteArray& data) {
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return EIO;
        p += n;
        left -= n;
    }
    return 0;
}

// Makes a rename durable. Best effort: the file is already in place when this runs.
void SyncFolderOf(const QString& path) {
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

StagedFile::~StagedFile() { Discard(); }

void StagedFile::Discard() {
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
    temporary_.clear();
}

bool StagedFile::Write(const QString& path, const QByteArray& data, QString* error, FileSync sync,
                       FileAccess access) {
    Discard();
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (path.isEmpty())
        return fail("no file name");
    path_ = path;
    sync_ = sync;

    // The replaced file keeps its permissions, as an edit in place would.
    struct stat old {};
    const bool replacing = ::stat(QFile::encodeName(path).constData(), &old) == 0 && S_ISREG(old.st_mode);
    const mode_t mode = access == FileAccess::OwnerOnly ? 0600 : 0644;

    // A leftover of an earlier process with the same id may hold a name: take the next.
    int fd = -1;
    QByteArray name;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        name = QFile::encodeName(TemporaryNameFor(path));
        fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return fail(ErrnoText(errno));
    temporary_ = name;
    StepDone();

    int code = 0;
    if (access == FileAccess::AsBefore && replacing && ::fchmod(fd, old.st_mode & 07777) != 0)
        code = errno;
    if (code == 0)
        code = WriteAll(fd, data);
    if (code == 0 && sync == FileSync::Durable && ::fsync(fd) != 0)
        code = errno;
    // close can be the first to report a failed write (network and some local file systems).
    if (::close(fd) != 0 && code == 0)
        code = errno;
    if (code != 0) {
        Discard();
        return fail(ErrnoText(code));
    }
    StepDone();
    return true;
}

bool StagedFile::Commit(QString* error) {
    if (temporary_.isEmpty()) {
        if (error)
            *error = "nothing was written";
        return false;
    }
    if (::rename(temporary_.constData(), QFile::encodeName(path_).constData()) != 0) {
        const int code = errno;
        Discard();
        if (error)
            *error = ErrnoText(code);
        return false;
    }
    temporary_.clear();
    if (sync_ == FileSync::Durable)
        SyncFolderOf(path_);
    StepDone();
    return true;
}

bool WriteWholeFile(const QString& path, const QByteArray& data, QString* error, FileSync sync,
                    FileAccess access) {
    StagedFile file;
    return file.Write(path, data, error, sync, access) && file.Commit(error);
}

bool RewriteSmallFile(const QString& path, const QByteArray& data, QString* error) {
    auto fail = [error](int code) {
        if (error)
            *error = ErrnoText(code);
        return false;
    };
    if (data.size() > 512)
        return WriteWholeFile(path, data, error);
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return fail(errno);
    ssize_t n;
    do
        n = ::pwrite(fd, data.constData(), static_cast<size_t>(data.size()), 0);
    while (n < 0 && errno == EINTR);
    int code = 0;
    if (n != data.size())
        code = n < 0 ? errno : EIO;
    else if (::ftruncate(fd, data.size()) != 0)
        code = errno;
    if (::close(fd) != 0 && code == 0)
        code = errno;
    if (code != 0)
        return fail(code);
    StepDone();
    return true;
}

bool IsStagedFileName(const QString& fileName, qint64* pid) {
    const QRegularExpressionMatch match = StagedNamePattern().match(fileName);
    if (!match.hasMatch())
        return false;
    if (pid)
        *pid = match.captured(1).toLongLong();
    return true;
}

QStringList RemoveStrayStagedFiles(const QString& folder) {
    QStringList removed;
    if (folder.isEmpty())
        return removed;
    const QDir dir(folder);
    const qint64 self = getpid();
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        qint64 pid = 0;
        if (!IsStagedFileName(name, &pid))
            continue;
        if (pid != self && ProcessIsRunning(pid))
            continue; // another station writing right now
        if (QFile::remove(dir.filePath(name)))
            removed << name;
    }
    return removed;
}

void SetFileStepObserver(std::function<void()> observer) { StepObserver() = std::move(observer); }

} // namespace platform
