#include "platform/FtpSession.h"

#include "platform/Ansi.h"

#include <QFile>
#include <algorithm>
#include <curl/curl.h>

namespace platform {

namespace {

CURL* Handle(void* handle) { return static_cast<CURL*>(handle); }

constexpr int kQuitWaitSeconds = 2;

// Errors after which the control connection is gone.
bool IsConnectionLost(CURLcode code) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_LOGIN_DENIED:
        return true;
    default:
        return false;
    }
}

QByteArray EncodeSegment(const QString& segment) { return ToAnsi(segment).toPercentEncoding(); }

// Of libcurl's own status texts only those that tell where the connection goes; its other
// lines (address look-ups, bookkeeping) read like failures when nothing failed. Failures
// reach the log from the command's result.
bool IsUserStatusText(const QString& text) {
    static const char* const kShown[] = {"Trying", "Connected to", "Closing connection"};
    for (const char* prefix : kShown)
        if (text.startsWith(QLatin1String(prefix)))
            return true;
    return false;
}

FtpResult Success() {
    FtpResult result;
    result.ok = true;
    return result;
}

} // namespace

// The libcurl callbacks; they run on the worker thread.
struct FtpSessionCallbacks {
    static int Debug(CURL*, curl_infotype type, char* data, size_t size, void* self) {
        auto* session = static_cast<FtpSession*>(self);
        QString text = FromAnsi(data, qsizetype(size));
        switch (type) {
        case CURLINFO_TEXT: {
            while (text.endsWith('\n') || text.endsWith('\r'))
                text.chop(1);
            text = text.trimmed();
            if (IsUserStatusText(text))
                session->call_.Post([session, text] { emit session->StatusText(text); });
            break;
        }
        case CURLINFO_HEADER_OUT:
            if (text.startsWith(QLatin1String("PASS"), Qt::CaseInsensitive))
                text = QStringLiteral("PASS ****\r\n");
            session->call_.Post([session, text] { emit session->ControlText(true, text); });
            break;
        case CURLINFO_HEADER_IN: {
            // A reply that never ends: the command is ended, and no more of it is passed on.
            session->controlBytes_ += qint64(size);
            if (session->controlBytes_ > FtpSession::kMaxControlReplyBytes) {
                if (session->tooLong_.isEmpty()) {
                    session->tooLong_ = QStringLiteral("The server's reply is longer than %1 KB")
                                            .arg(FtpSession::kMaxControlReplyBytes / 1024);
                    session->call_.Abort();
                }
                break;
            }
            std::string reply(data, size);
            while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r'))
                reply.pop_back();
            session->lastReply_ = reply;
            session->call_.Post([session, text] { emit session->ControlText(false, text); });
            break;
        }
        default:
            break;
        }
        return 0;
    }

    static size_t Write(char* data, size_t size, size_t count, void* self) {
        auto* session = static_cast<FtpSession*>(self);
        if (!AppendWithinLimit(session->received_, data, size * count, FtpSession::kMaxListingBytes)) {
            session->tooLong_ = QStringLiteral("The server's listing is longer than %1 MB")
                                    .arg(FtpSession::kMaxListingBytes / (1024 * 1024));
            return 0; // curl ends the transfer with a write error
        }
        return size * count;
    }

    static size_t Read(char* data, size_t size, size_t count, void* self) {
        QFile* file = static_cast<FtpSession*>(self)->upload_;
        const qint64 got = file ? file->read(data, qint64(size * count)) : -1;
        return got < 0 ? CURL_READFUNC_ABORT : size_t(got);
    }
};

FtpSession::FtpSession(QObject* parent) : FtpClient(parent) {
    NetCall::GlobalInit();
    handle_ = curl_easy_init();
    today_ = [] { return QDate::currentDate(); };
    connect(&call_, &NetCall::Progress, this, [this](qint64, qint64 downloadNow, qint64, qint64 uploadNow) {
        if (inTransfer_)
            emit TransferProgress(uploadNow > 0 ? uploadNow : downloadNow);
    });
}

FtpSession::~FtpSession() {
    CloseHandle();
    if (quote_)
        curl_slist_free_all(quote_);
}

QString FtpSession::HostUrl(const QString& host, QString* error) {
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return QString();
    };
    const QString typed = host.trimmed();
    if (typed.isEmpty())
        return fail(QStringLiteral("No FTP host name was given"));
    for (QChar c : typed)
        if (c.isSpace() || c == '/' || c == '@' || c == '\\' || c == '?' || c == '#' || c.unicode() < 32)
            return fail("The FTP host name \"" + typed.simplified() + "\" is not valid");
    CURLU* url = curl_url();
    const QByteArray text = "ftp://" + typed.toUtf8() + "/";
    QString result;
    if (curl_url_set(url, CURLUPART_URL, text.constData(), 0) == CURLUE_OK) {
        char* name = nullptr;
        char* port = nullptr;
        if (curl_url_get(url, CURLUPART_HOST, &name, 0) == CURLUE_OK &&
            curl_url_get(url, CURLUPART_PORT, &port, CURLU_DEFAULT_PORT) == CURLUE_OK)
            result = "ftp://" + QString::fromUtf8(name) + ":" + QString::fromUtf8(port);
        curl_free(name);
        curl_free(port);
    }
    curl_url_cleanup(url);
    if (result.isEmpty())
        return fail("The FTP host name \"" + typed + "\" is not valid");
    return result;
}

FtpResult FtpSession::Refusal(const QString& text) const {
    FtpResult result;
    result.error = text;
    return result;
}

FtpResult FtpSession::Precheck(const QString& text) const {
    if (call_.Busy()) {
        FtpResult result = Refusal(QStringLiteral("Another FTP command is still running"));
        result.refused = true;
        return result;
    }
    if (!connected_)
        return Refusal(QStringLiteral("Not connected"));
    if (!IsSafeFtpText(text))
        return Refusal(QStringLiteral("The name holds a line break or NUL"));
    return Success();
}

QString FtpSession::AbsolutePath(const QString& name) const {
    return name.startsWith('/') ? ResolveFtpPath("/", name) : ResolveFtpPath(current_, name);
}

QString FtpSession::DirUrl(const QString& absolutePath) const {
    // "%2F" makes the path absolute; the one CWD then goes straight to the folder.
    QByteArray path = "/%2F";
    for (const QString& segment : absolutePath.split('/', Qt::SkipEmptyParts))
        path += EncodeSegment(segment) + "/";
    if (!path.endsWith('/'))
        path += '/';
    return hostUrl_ + QString::fromLatin1(path);
}

void FtpSession::Prepare(const QString& url) {
    CURL* h = Handle(handle_);
    curl_easy_reset(h); // keeps the live connection
    curl_easy_setopt(h, CURLOPT_URL, url.toUtf8().constData());
    curl_easy_setopt(h, CURLOPT_USERNAME, user_.constData());
    curl_easy_setopt(h, CURLOPT_PASSWORD, password_.constData());
    curl_easy_setopt(h, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(h, CURLOPT_FTPPORT, passive_ ? nullptr : "-");
    curl_easy_setopt(h, CURLOPT_FTP_USE_EPSV, 1L);
    curl_easy_setopt(h, CURLOPT_FTP_CREATE_MISSING_DIRS, long(CURLFTP_CREATE_DIR_NONE));
    curl_easy_setopt(h, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(h, CURLOPT_DEBUGFUNCTION, &FtpSessionCallbacks::Debug);
    curl_easy_setopt(h, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &FtpSessionCallbacks::Write);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, this);
    received_.clear();
    lastReply_.clear();
    controlBytes_ = 0;
    tooLong_.clear();
}

FtpResult FtpSession::Run(Kind kind, qint64 transferSize) {
    if (kind == Kind::Transfer) {
        inTransfer_ = true;
        emit TransferStarted(transferSize);
    }
    const NetResult net = call_.Perform(Handle(handle_));
    if (kind == Kind::Transfer) {
        inTransfer_ = false;
        emit TransferEnded();
    }

    FtpResult result;
    result.ok = net.ok;
    result.refused = net.refused;
    result.aborted = net.aborted;
    if (!net.ok) {
        const QString reply = QString::fromStdString(lastReply_).trimmed();
        result.error = net.responseCode >= 400 && !reply.isEmpty() && !net.aborted ? reply : net.error;
    }
    if (disconnectPending_) {
        disconnectPending_ = false;
        CloseHandle();
        return result;
    }
    if (!tooLong_.isEmpty()) {
        // Only this command failed: curl drops a connection it left mid-reply and the next
        // command logs in afresh.
        result.ok = false;
        result.aborted = false;
        result.error = tooLong_;
        return result;
    }
    const CURLcode code = CURLcode(net.curlCode);
    const bool commandTimedOut = kind == Kind::Command && code == CURLE_OPERATION_TIMEDOUT;
    if (!net.ok && !net.refused && kind != Kind::Login && (IsConnectionLost(code) || commandTimedOut))
        LoseConnection();
    return result;
}

FtpResult FtpSession::Connect(const QString& host, const QString& user, const QString& password) {
    if (call_.Busy()) {
        FtpResult result = Refusal(QStringLiteral("Another FTP command is still running"));
        result.refused = true;
        return result;
    }
    if (!IsSafeFtpText(user) || !IsSafeFtpText(password))
        return Refusal(QStringLiteral("The user name or password holds a line break or NUL"));
    QString why;
    const QString url = HostUrl(host, &why);
    if (url.isEmpty())
        return Refusal(why);
    if (connected_)
        Disconnect();
    CloseHandle(); // a fresh connection for every log-in
    handle_ = curl_easy_init();
    hostUrl_ = url;
    user_ = ToAnsi(user);
    password_ = ToAnsi(password);

    Prepare(hostUrl_ + "/");
    CURL* h = Handle(handle_);
    curl_easy_setopt(h, CURLOPT_NOBODY, 1L);
    if (quote_)
        curl_slist_free_all(quote_);
    quote_ = curl_slist_append(nullptr, "NOOP");
    curl_easy_setopt(h, CURLOPT_QUOTE, quote_);
    const FtpResult result = Run(Kind::Login);
    if (!result.ok)
        return result;
    char* entry = nullptr;
    curl_easy_getinfo(h, CURLINFO_FTP_ENTRY_PATH, &entry);
    entry_ = entry && entry[0] == '/' ? ResolveFtpPath("/", FromAnsi(entry, qsizetype(strlen(entry)))) : "/";
    current_ = entry_;
    lines_.clear();
    entries_.clear();
    connected_ = true;
    emit Connected();
    return result;
}

void FtpSession::LoseConnection() {
    if (!connected_)
        return;
    connected_ = false;
    emit Disconnected();
}

void FtpSession::Disconnect() {
    if (call_.Busy()) {
        // The handle is in use by the command in flight: end it, close once it returned.
        disconnectPending_ = true;
        call_.Abort();
    } else if (connected_ && NetCall::Accepting()) {
        Prepare(hostUrl_ + "/");
        CURL* h = Handle(handle_);
        curl_easy_setopt(h, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(h, CURLOPT_DEBUGFUNCTION, nullptr);
        curl_easy_setopt(h, CURLOPT_VERBOSE, 0L);
        if (quote_)
            curl_slist_free_all(quote_);
        quote_ = curl_slist_append(nullptr, "QUIT");
        curl_easy_setopt(h, CURLOPT_QUOTE, quote_);
        emit ControlText(true, QStringLiteral("QUIT\r\n"));
        // A goodbye is not worth a long wait: a server that does not answer it soon is left.
        const NetTimeouts usual = call_.Timeouts();
        NetTimeouts quick = usual;
        quick.responseSeconds = std::min(usual.responseSeconds, kQuitWaitSeconds);
        call_.SetTimeouts(quick);
        call_.Perform(h);
        call_.SetTimeouts(usual);
        CloseHandle();
    } else {
        CloseHandle();
    }
    LoseConnection();
}

void FtpSession::CloseHandle() {
    if (!handle_ || call_.Busy())
        return;
    CURL* h = Handle(handle_);
    // Closing never waits on the server: Disconnect has said goodbye already where it could,
    // and a server that no longer answers would hold the close for its time-out.
    curl_easy_setopt(h, CURLOPT_DEBUGFUNCTION, nullptr);
    curl_easy_setopt(h, CURLOPT_VERBOSE, 0L);
    call_.Cleanup(h);
    handle_ = nullptr;
}

FtpResult FtpSession::ListFolder(const QString& absolutePath) {
    Prepare(DirUrl(absolutePath));
    FtpResult result = Run(Kind::Transfer);
    if (result.ok) {
        lines_ = SplitListingText(received_);
        entries_ = ParseFtpListing(lines_, today_ ? today_() : QDate::currentDate());
    }
    received_.clear();
    return result;
}

FtpResult FtpSession::ChangeDir(const QString& dir) {
    FtpResult check = Precheck(dir);
    if (!check.ok)
        return check;
    const QString target = ResolveFtpPath(current_, dir);
    FtpResult result = ListFolder(target);
    if (result.ok)
        current_ = target;
    return result;
}

FtpResult FtpSession::List() {
    FtpResult check = Precheck(QString());
    if (!check.ok)
        return check;
    return ListFolder(current_);
}

FtpResult FtpSession::Put(const QString& localPath, const QString& remoteName) {
    FtpResult check = Precheck(remoteName);
    if (!check.ok)
        return check;
    if (remoteName.isEmpty() || remoteName.contains('/'))
        return Refusal("The remote name \"" + remoteName + "\" is not a file name");
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly))
        return Refusal("Cannot read " + localPath + ": " + file.errorString());
    Prepare(DirUrl(current_) + QString::fromLatin1(EncodeSegment(remoteName)));
    CURL* h = Handle(handle_);
    curl_easy_setopt(h, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(h, CURLOPT_READFUNCTION, &FtpSessionCallbacks::Read);
    curl_easy_setopt(h, CURLOPT_READDATA, this);
    curl_easy_setopt(h, CURLOPT_INFILESIZE_LARGE, curl_off_t(file.size()));
    upload_ = &file;
    const FtpResult result = Run(Kind::Transfer, file.size());
    upload_ = nullptr;
    return result;
}

FtpResult FtpSession::Quote(const QByteArray& command) {
    Prepare(hostUrl_ + "/");
    CURL* h = Handle(handle_);
    curl_easy_setopt(h, CURLOPT_NOBODY, 1L);
    if (quote_)
        curl_slist_free_all(quote_);
    quote_ = curl_slist_append(nullptr, command.constData());
    curl_easy_setopt(h, CURLOPT_QUOTE, quote_);
    return Run(Kind::Command);
}

FtpResult FtpSession::Delete(const QString& name) {
    FtpResult check = Precheck(name);
    return check.ok ? Quote("DELE " + ToAnsi(AbsolutePath(name))) : check;
}

FtpResult FtpSession::RemoveDir(const QString& name) {
    FtpResult check = Precheck(name);
    return check.ok ? Quote("RMD " + ToAnsi(AbsolutePath(name))) : check;
}

FtpResult FtpSession::MakeDir(const QString& name) {
    FtpResult check = Precheck(name);
    return check.ok ? Quote("MKD " + ToAnsi(AbsolutePath(name))) : check;
}

FtpResult FtpSession::Noop() {
    FtpResult check = Precheck(QString());
    return check.ok ? Quote("NOOP") : check;
}

} // namespace platform
