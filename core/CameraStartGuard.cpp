#include "core/CameraStartGuard.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Written through to the disk (file and folder entry): a power cut right after must find it.
bool WriteThrough(const QString& path, const QByteArray& bytes) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    ok = ::fsync(fd) == 0 && ok;
    ::close(fd);
    const int dir = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return ok;
}

} // namespace

int CameraStartGuard::EndedWhileStarting() const {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    bool ok = false;
    const int count = file.read(16).trimmed().toInt(&ok);
    // A marker cut short by a power cut still says a start-up ended there.
    return ok && count > 0 ? count : 1;
}

bool CameraStartGuard::Begin() {
    const int before = QFile::exists(path_) ? EndedWhileStarting() : 0;
    if (before >= kTripAfter) {
        QFile::remove(path_);
        return false;
    }
    // Not writable (a full disk): the cameras start unguarded rather than not at all.
    WriteThrough(path_, QByteArray::number(before + 1));
    return true;
}

void CameraStartGuard::Passed() { QFile::remove(path_); }
