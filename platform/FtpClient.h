#pragma once
// What the FTP uploader needs of an FTP client. FtpSession is the real one (libcurl on a
// worker thread); tests put a fake in its place. Every call returns when it has ended;
// while it runs the GUI thread keeps processing events, so a call may arrive while another
// is in flight: it is refused at once (refused = true), never queued.
#include "platform/FtpListing.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace platform {

struct FtpResult {
    bool ok = false;
    bool refused = false; // another call was in flight; nothing was sent
    bool aborted = false; // ended by Abort()
    QString error;        // plain words, never holding the password
};

class FtpClient : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~FtpClient() override = default;

    virtual bool IsConnected() const = 0;
    virtual bool Busy() const = 0;

    // Logs in. host is "name" or "name:port" (21 when no port is given).
    virtual FtpResult Connect(const QString& host, const QString& user, const QString& password) = 0;
    // Closes the connection; emits Disconnected when it was connected.
    virtual void Disconnect() = 0;

    // The folder the server put us in at log-in, and our current folder (absolute).
    virtual QString EntryDir() const = 0;
    virtual QString CurrentDir() const = 0;

    // Lists the folder (absolute, or relative to the current one, ".." allowed) and makes
    // it the current folder once it has listed.
    virtual FtpResult ChangeDir(const QString& dir) = 0;
    // Lists the current folder.
    virtual FtpResult List() = 0;
    // The last listing, as lines and as entries.
    virtual QStringList ListingLines() const = 0;
    virtual QList<FtpEntry> ListingEntries() const = 0;

    // Sends a local file into the current folder under the name, binary, replacing a file
    // of that name.
    virtual FtpResult Put(const QString& localPath, const QString& remoteName) = 0;
    // Names relative to the current folder, or absolute.
    virtual FtpResult Delete(const QString& name) = 0;
    virtual FtpResult RemoveDir(const QString& name) = 0;
    virtual FtpResult MakeDir(const QString& name) = 0;
    virtual FtpResult Noop() = 0;

    virtual void SetPassive(bool passive) = 0;
    virtual bool Passive() const = 0;
    // Ends the transfer in flight; its call returns with aborted = true.
    virtual void Abort() = 0;

signals:
    void Connected();
    void Disconnected(); // also when a call finds the connection lost
    // A data transfer (upload or listing): its size (-1 when unknown), bytes so far, end.
    void TransferStarted(qint64 size);
    void TransferProgress(qint64 bytes);
    void TransferEnded();
    // Control-channel text as it went out (sent = true) or came in; the password masked.
    void ControlText(bool sent, const QString& text);
    // The client's own status texts ("Connected to ...").
    void StatusText(const QString& text);
};

// A text that may go into an FTP command: no CR, LF or NUL.
bool IsSafeFtpText(const QString& text);

// Our absolute folder after going to dir from current ("..", ".", absolute and relative
// names); always starts with '/', no trailing '/' except for the root.
QString ResolveFtpPath(const QString& current, const QString& dir);

} // namespace platform
