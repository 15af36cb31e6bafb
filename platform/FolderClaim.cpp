#include "platform/FolderClaim.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

FolderClaim::~FolderClaim() { Release(); }

FolderClaim::Result FolderClaim::Take(const QString& folder) {
    if (Held())
        return Result::Taken;
    folder_ = folder;
    error_.clear();
    // Read-only and close-on-exec: opening changes nothing, and no program this one starts
    // (a restarted copy, the desktop's opener) inherits the lock and outlives us with it.
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return Result::Unavailable;
    }
    int result;
    do
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result == 0) {
        fd_ = fd;
        return Result::Taken;
    }
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK)
        return Result::Busy;
    error_ = QString::fromLocal8Bit(std::strerror(error));
    return Result::Unavailable;
}

void FolderClaim::Release() {
    if (fd_ < 0)
        return;
    ::close(fd_); // the lock goes with the last descriptor of its open file
    fd_ = -1;
}

} // namespace platform
