#include "support/SmallDisk.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace TestSupport {

SmallDisk::SmallDisk(int kilobytes) : dir_(QDir::tempPath() + "/torvek-disk-XXXXXX") {
    if (!dir_.isValid()) {
        whyNot_ = "no temporary folder";
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0755";
    if (::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, options.constData()) != 0) {
        whyNot_ = QStringLiteral("cannot mount a small tmpfs: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    mounted_ = true;
}

SmallDisk::~SmallDisk() {
    if (mounted_)
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

bool SmallDisk::Fill(qint64 leaveBytes) {
    if (!mounted_)
        return false;
    const QByteArray name = QFile::encodeName(file(".filler"));
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0)
        return false;
    const QByteArray page(4096, 'f');
    while (::write(fd, page.constData(), page.size()) == page.size()) {
    }
    // Full now: hand back what the caller wants to leave.
    bool ok = true;
    if (leaveBytes > 0) {
        const off_t size = ::lseek(fd, 0, SEEK_END);
        const off_t cut = ((leaveBytes + 4095) / 4096) * 4096;
        ok = size >= cut && ::ftruncate(fd, size - cut) == 0;
    }
    ::close(fd);
    return ok;
}

void SmallDisk::Unfill() { QFile::remove(file(".filler")); }

FileSizeLimit::FileSizeLimit(qint64 bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
}

} // namespace TestSupport
