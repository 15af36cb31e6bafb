#include "platform/NetCall.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QSet>
#include <curl/curl.h>
#include <mutex>
#include <thread>

#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

std::once_flag globalInitOnce;

// Every NetCall with a transfer in flight, for AbortAll.
std::mutex registryMutex;
QSet<NetCall*>& Running() {
    static QSet<NetCall*> running;
    return running;
}
std::atomic<bool> accepting{true};

long long NowMs() {
    static QElapsedTimer clock;
    static std::once_flag started;
    std::call_once(started, [] { clock.start(); });
    return clock.elapsed();
}

} // namespace

bool AppendWithinLimit(QByteArray& buffer, const char* data, size_t bytes, qsizetype limit) {
    if (buffer.size() > limit || bytes > size_t(limit - buffer.size()))
        return false;
    buffer.append(data, qsizetype(bytes));
    return true;
}

NetCall::NetCall(QObject* parent) : QObject(parent) {}

// A client must not be destroyed while its own Perform runs (from inside its nested loop),
// nor before it freed its handle (whose connections call back into this object).
NetCall::~NetCall() = default;

void NetCall::GlobalInit() {
    std::call_once(globalInitOnce, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

void NetCall::AbortAll(int waitMs) {
    accepting = false;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        bool allDone = true;
        {
            std::lock_guard<std::mutex> lock(registryMutex);
            for (NetCall* call : Running()) {
                call->abort_ = true;
                allDone = allDone && call->workerDone_;
            }
        }
        if (allDone || waited.elapsed() >= waitMs)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool NetCall::Accepting() { return accepting; }

void NetCall::ApplyTimeouts(CURL* handle, const NetTimeouts& timeouts) {
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, long(timeouts.connectSeconds));
    curl_easy_setopt(handle, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(timeouts.responseSeconds));
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, timeouts.lowSpeedBytes);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, long(timeouts.lowSpeedSeconds));
}

int NetCall::ProgressCallback(void* self, long long dlTotal, long long dlNow, long long ulTotal,
                              long long ulNow) {
    auto* call = static_cast<NetCall*>(self);
    if (call->abort_)
        return 1;
    const long long now = NowMs();
    if (now - call->lastProgressMs_ >= 100) {
        call->lastProgressMs_ = now;
        QMetaObject::invokeMethod(
            call, [call, dlTotal, dlNow, ulTotal, ulNow] { emit call->Progress(dlTotal, dlNow, ulTotal, ulNow); },
            Qt::QueuedConnection);
    }
    return 0;
}

// The socket book-keeping behind Cleanup: libcurl opens and closes every socket through us.
struct NetCallSockets {
    static curl_socket_t Open(void* self, curlsocktype, struct curl_sockaddr* address) {
        const int fd = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
        if (fd < 0)
            return CURL_SOCKET_BAD;
        auto* call = static_cast<NetCall*>(self);
        std::lock_guard<std::mutex> lock(call->socketsMutex_);
        call->sockets_.insert(fd);
        return fd;
    }
    static int Close(void* self, curl_socket_t socket) {
        auto* call = static_cast<NetCall*>(self);
        {
            std::lock_guard<std::mutex> lock(call->socketsMutex_);
            call->sockets_.remove(socket);
        }
        return ::close(socket);
    }
};

void NetCall::Cleanup(CURL* handle) {
    if (!handle)
        return;
    {
        std::lock_guard<std::mutex> lock(socketsMutex_);
        // Shut down, not closed: the descriptor stays ours until libcurl closes it, so no
        // other file can take its number meanwhile.
        for (int fd : std::as_const(sockets_))
            ::shutdown(fd, SHUT_RDWR);
    }
    curl_easy_cleanup(handle);
}

void NetCall::Post(std::function<void()> fn) {
    QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
}

NetResult NetCall::Perform(CURL* handle) {
    NetResult result;
    if (busy_) {
        result.refused = true;
        result.error = QStringLiteral("Another transfer is still running.");
        return result;
    }
    if (!accepting) {
        result.aborted = true;
        result.error = QStringLiteral("The station is shutting down.");
        return result;
    }
    GlobalInit();
    busy_ = true;
    abort_ = false;
    lastProgressMs_ = 0;

    ApplyTimeouts(handle, timeouts_);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &NetCall::ProgressCallback);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, this);
    // A connection keeps the socket callbacks it was opened with, also after the client
    // resets the handle: Cleanup can find it at the end.
    curl_easy_setopt(handle, CURLOPT_OPENSOCKETFUNCTION, &NetCallSockets::Open);
    curl_easy_setopt(handle, CURLOPT_OPENSOCKETDATA, this);
    curl_easy_setopt(handle, CURLOPT_CLOSESOCKETFUNCTION, &NetCallSockets::Close);
    curl_easy_setopt(handle, CURLOPT_CLOSESOCKETDATA, this);
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorBuffer);

    {
        std::lock_guard<std::mutex> lock(registryMutex);
        Running().insert(this);
    }

    QEventLoop loop;
    std::atomic<bool> done{false};
    CURLcode code = CURLE_OK;
    workerDone_ = false;
    std::thread worker([&] {
        code = curl_easy_perform(handle);
        done = true;
        workerDone_ = true;
        // Queued: delivered once the loop below runs, even when the transfer ended first.
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });
    // A nested loop inside this one (a timer that starts another client's transfer) must end
    // before this one can return; that is the price of not blocking the window.
    while (!done)
        loop.exec();
    worker.join();

    {
        std::lock_guard<std::mutex> lock(registryMutex);
        Running().remove(this);
    }
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, nullptr);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, nullptr);

    long responseCode = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &responseCode);
    result.responseCode = responseCode;
    result.curlCode = int(code);
    result.ok = code == CURLE_OK;
    result.aborted = code == CURLE_ABORTED_BY_CALLBACK;
    if (!result.ok) {
        result.error = QString::fromUtf8(errorBuffer[0] ? errorBuffer : curl_easy_strerror(code));
        if (result.aborted)
            result.error = QStringLiteral("The transfer was aborted.");
    }
    busy_ = false;
    abort_ = false;
    return result;
}

} // namespace platform
