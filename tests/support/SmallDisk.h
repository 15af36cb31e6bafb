#pragma once
// Full-disk conditions for tests. SmallDisk mounts a tiny tmpfs of its own (the tests run as
// root); where mounting is not allowed, FileSizeLimit makes writes past a size fail instead.
#include <QString>
#include <QTemporaryDir>
#include <sys/resource.h>

namespace TestSupport {

class SmallDisk {
public:
    explicit SmallDisk(int kilobytes = 256);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool IsMounted() const { return mounted_; }
    // Why the mount failed, for the skip message.
    const QString& WhyNot() const { return whyNot_; }
    QString path() const { return dir_.path() + "/"; }
    QString file(const QString& name) const { return path() + name; }

    // Takes the free space with a filler file, leaving about leaveBytes (whole pages).
    bool Fill(qint64 leaveBytes = 0);
    // Gives the space back.
    void Unfill();

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString whyNot_;
};

// Limits the size of files this process writes (writes past it fail with EFBIG) while it
// lives; the signal such a write raises is ignored meanwhile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace TestSupport
