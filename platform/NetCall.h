#pragma once
// One blocking libcurl transfer that does not freeze the window: the transfer runs on a
// worker thread while the calling (GUI) thread waits in a nested event loop, so timers,
// clicks and the motion loop go on meanwhile. Each client (SMTP, FTP, HTTP) owns one NetCall
// and one easy handle; a second call while one is in flight is refused at once, never
// queued. Every call has a connect time-out, a server-response time-out and a low-speed
// limit. At shutdown AbortAll() aborts every transfer in flight and waits for its thread.
#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>
#include <atomic>
#include <functional>
#include <mutex>

typedef void CURL;

namespace platform {

struct NetTimeouts {
    int connectSeconds = 30;   // TCP (and TLS) connect
    int responseSeconds = 60;  // waiting for a server reply (FTP, SMTP)
    long lowSpeedBytes = 1;    // a transfer slower than this ...
    int lowSpeedSeconds = 60;  // ... for this long is ended
};

struct NetResult {
    bool ok = false;
    int curlCode = 0;        // CURLcode; 0 on success
    long responseCode = 0;   // last server reply code (SMTP/FTP/HTTP), 0 when none
    bool refused = false;    // not started: another call of this client was in flight
    bool aborted = false;    // ended by Abort() or AbortAll()
    QString error;           // curl's message, empty on success
};

// Appends a reply's bytes to buffer unless that would make it longer than limit; then
// appends nothing and returns false. Clients read every reply up to a limit, so a server that
// never stops sending cannot fill the memory.
bool AppendWithinLimit(QByteArray& buffer, const char* data, size_t bytes, qsizetype limit);

class NetCall : public QObject {
    Q_OBJECT
public:
    explicit NetCall(QObject* parent = nullptr);
    ~NetCall() override; // aborts and joins a transfer still running

    // curl_global_init, once per process; Perform calls it too. Call it early in main.
    static void GlobalInit();
    // Aborts every transfer of every NetCall and waits (at most waitMs) until their worker
    // threads have left curl, so the handles may be freed and the process may end.
    static void AbortAll(int waitMs = 5000);
    // False once AbortAll() ran: no new transfer starts (the station is shutting down).
    static bool Accepting();

    // Sets the time-outs on a handle (CURLOPT_CONNECTTIMEOUT, CURLOPT_SERVER_RESPONSE_TIMEOUT,
    // CURLOPT_LOW_SPEED_LIMIT/TIME). Perform does this itself with Timeouts().
    static void ApplyTimeouts(CURL* handle, const NetTimeouts& timeouts);

    void SetTimeouts(const NetTimeouts& timeouts) { timeouts_ = timeouts; }
    const NetTimeouts& Timeouts() const { return timeouts_; }

    // Runs curl_easy_perform(handle) on a worker thread and returns when it has ended.
    // Installs its own progress callback (abort flag, Progress signal) and NOSIGNAL on the
    // handle; other options are the client's. Callbacks the client sets on the handle run on
    // the worker thread: post their results to the GUI thread (Post below).
    NetResult Perform(CURL* handle);

    // Frees a handle this object's transfers used without waiting on its server: every
    // connection they left open is shut down first, so libcurl's goodbye (SMTP or FTP QUIT)
    // fails at once instead of waiting for a reply that may never come. Not while Busy().
    void Cleanup(CURL* handle);

    bool Busy() const { return busy_; }
    // Asks the running transfer to end; Perform then returns with aborted = true.
    void Abort() { abort_ = true; }

    // Runs fn on this object's (GUI) thread, queued; safe from the worker thread.
    void Post(std::function<void()> fn);

signals:
    // Transfer progress, queued to the GUI thread, at most every 100 ms.
    void Progress(qint64 downloadTotal, qint64 downloadNow, qint64 uploadTotal, qint64 uploadNow);

private:
    friend struct NetCallSockets;
    static int ProgressCallback(void* self, long long dlTotal, long long dlNow, long long ulTotal,
                                long long ulNow);

    NetTimeouts timeouts_;
    bool busy_ = false;
    std::atomic<bool> abort_{false};
    std::atomic<bool> workerDone_{true};
    std::atomic<long long> lastProgressMs_{0};
    // The sockets libcurl opened for this object's transfers and has not closed yet.
    std::mutex socketsMutex_;
    QSet<int> sockets_;
};

} // namespace platform
