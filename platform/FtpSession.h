#pragma once
// The FTP client over libcurl: one persistent easy handle holds the control connection;
// every command runs through NetCall (worker thread, nested event loop, time-outs, refusal
// of a second call, abort). The current folder is our own absolute path, so no command
// depends on where the server's control connection happens to stand.
#include "platform/FtpClient.h"
#include "platform/NetCall.h"

#include <QByteArray>
#include <QDate>
#include <functional>
#include <string>

class QFile;
struct curl_slist;

namespace platform {

class FtpSession : public FtpClient {
public:
    // A listing longer than this ends the command as a failure: thousands of names fit, a
    // server that never stops does not.
    static constexpr qsizetype kMaxListingBytes = 4 * 1024 * 1024;
    // The same for the control-channel replies of one command; below libcurl's own limit
    // (300 KB), which would end the command as a lost connection.
    static constexpr qsizetype kMaxControlReplyBytes = 256 * 1024;

    explicit FtpSession(QObject* parent = nullptr);
    ~FtpSession() override; // the station aborts transfers first (NetCall::AbortAll)

    void SetTimeouts(const NetTimeouts& timeouts) { call_.SetTimeouts(timeouts); }
    // The date a listing's time-only entries are read against (tests fix it).
    void SetToday(std::function<QDate()> today) { today_ = std::move(today); }

    bool IsConnected() const override { return connected_; }
    bool Busy() const override { return call_.Busy(); }
    FtpResult Connect(const QString& host, const QString& user, const QString& password) override;
    void Disconnect() override;
    QString EntryDir() const override { return entry_; }
    QString CurrentDir() const override { return current_; }
    FtpResult ChangeDir(const QString& dir) override;
    FtpResult List() override;
    QStringList ListingLines() const override { return lines_; }
    QList<FtpEntry> ListingEntries() const override { return entries_; }
    FtpResult Put(const QString& localPath, const QString& remoteName) override;
    FtpResult Delete(const QString& name) override;
    FtpResult RemoveDir(const QString& name) override;
    FtpResult MakeDir(const QString& name) override;
    FtpResult Noop() override;
    void SetPassive(bool passive) override { passive_ = passive; }
    bool Passive() const override { return passive_; }
    void Abort() override { call_.Abort(); }

    // "ftp://name:port" for a host typed as "name" or "name:port"; empty (and *error says
    // why) for anything else.
    static QString HostUrl(const QString& host, QString* error = nullptr);

private:
    enum class Kind { Login, Command, Transfer };
    FtpResult Refusal(const QString& text) const;
    FtpResult Precheck(const QString& text) const;
    // Resets the handle to the session's options for one command on url.
    void Prepare(const QString& url);
    FtpResult Run(Kind kind, qint64 transferSize = -1);
    FtpResult Quote(const QByteArray& command);
    FtpResult ListFolder(const QString& absolutePath);
    QString AbsolutePath(const QString& name) const;
    QString DirUrl(const QString& absolutePath) const;
    void CloseHandle();
    void LoseConnection();

    friend struct FtpSessionCallbacks;

    NetCall call_;
    void* handle_ = nullptr;
    curl_slist* quote_ = nullptr;
    QString hostUrl_;
    QByteArray user_;
    QByteArray password_;
    bool connected_ = false;
    bool passive_ = false;
    bool inTransfer_ = false;
    bool disconnectPending_ = false;
    QString entry_ = QStringLiteral("/");
    QString current_ = QStringLiteral("/");
    QStringList lines_;
    QList<FtpEntry> entries_;
    std::function<QDate()> today_;

    // Touched by the worker thread only while a command runs.
    QByteArray received_;
    qint64 controlBytes_ = 0;
    QString tooLong_; // why the command failed when a reply passed its limit
    QFile* upload_ = nullptr;
    std::string lastReply_;
};

} // namespace platform
