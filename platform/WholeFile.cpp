#include "platform/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

QString ErrnoText(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

// A name that no picture mask ("*.jpg", "*.txt") matches, unique within the process.
QString TemporaryNameFor(const QString& path) {
    static std::atomic<quint64> serial{0};
    const QFileInfo info(path);
    return info.absolutePath() + "/." + info.fileName() + "." + QString::number(getpid()) + "." +
           QString::number(++serial) + ".part";
}

} // namespace

bool WriteWholeFile(const QString& path, const QByteArray& data, QString* error) {
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (path.isEmpty())
        return fail("no file name");

    const QString temporary = TemporaryNameFor(path);
    const QByteArray tempName = QFile::encodeName(temporary);
    const int fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return fail(ErrnoText(errno));

    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int code = errno;
            ::close(fd);
            ::unlink(tempName.constData());
            return fail(ErrnoText(code));
        }
        p += n;
        left -= n;
    }
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(tempName.constData());
        return fail(ErrnoText(code));
    }
    if (::rename(tempName.constData(), QFile::encodeName(path).constData()) != 0) {
        const int code = errno;
        ::unlink(tempName.constData());
        return fail(ErrnoText(code));
    }
    return true;
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
    return code == 0 ? true : fail(code);
}

} // namespace platform
