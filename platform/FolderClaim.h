#pragma once
// One station per program folder: the running station holds an exclusive lock (flock) on the
// folder itself. A folder exists before any station runs, so a start that finds the lock
// taken has created and changed nothing; the kernel drops the lock when the process ends,
// however it ends.
#include <QString>

namespace platform {

class FolderClaim {
public:
    enum class Result {
        Taken,      // this process holds the folder now
        Busy,       // another process holds it
        Unavailable // the folder cannot be opened or locked here (reason in Error())
    };

    FolderClaim() = default;
    ~FolderClaim();
    FolderClaim(const FolderClaim&) = delete;
    FolderClaim& operator=(const FolderClaim&) = delete;

    // Tries once, without waiting. Holding the claim already, Taken at once.
    Result Take(const QString& folder);
    // Lets the folder go (for a copy of the station that takes it next).
    void Release();
    bool Held() const { return fd_ >= 0; }
    const QString& Folder() const { return folder_; }
    QString Error() const { return error_; }

private:
    int fd_ = -1;
    QString folder_;
    QString error_;
};

} // namespace platform
