#pragma once
// The FTP window's logic on plain values: connecting, the remote folder and its listing,
// picture uploads with their pacing, the picture log page, keep-alive and reconnect, and
// the protocol log. The window (and until it exists, the station) binds to it.
#include "platform/FtpClient.h"
#include "platform/WinTimer.h"
#include "publish/FtpProtocolLog.h"
#include "publish/FtpSettingsRules.h"
#include "publish/ImageLogPage.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class SettingsStore;
struct StartupFlags;

// What the uploader reaches outside itself. Every hook may stay empty.
struct FtpUploaderHooks {
    std::function<bool()> internetConnected; // empty: the system's route table
    // The main window's cameraAreaBox colour (0x00BBGGRR): maroon during an upload, black after.
    std::function<void(quint32 colour)> setGroupBoxColour;
    // The main window's motionTimer (only read: surveillance goes on during a transfer, so
    // nothing is put back) and timeLapseTimer, recorded at a transfer's start and put back
    // at its end.
    std::function<bool()> motionTimerEnabled;
    std::function<bool()> timeLapseTimerEnabled;
    std::function<void(bool)> setTimeLapseTimerEnabled;
    // The picture store's ring of numbered remote pictures starts again at each connect.
    std::function<void()> resetFtpRing;
    // A monotonic clock in milliseconds (empty: the process's steady clock); see SetClock.
    std::function<qint64()> nowMs;
    // The dial-up wait before the page upload (empty: an event-processing wait).
    std::function<void(int ms)> pause;
    // True once the station is shutting down: no connect, no keep-alive any more.
    std::function<bool()> stopping;
};

enum class FtpUploadResult { Sent, Skipped, Failed };

// One listing row as the window draws it: name, size in decimal, "File" or "Directory",
// and the modification time as "mm/dd/yyyy hh:mm".
QStringList FtpListingColumns(const platform::FtpEntry& entry);

class FtpUploader : public QObject {
    Q_OBJECT
public:
    static constexpr quint32 kMaroon = 128;
    static constexpr quint32 kBlack = 0;
    static constexpr qint64 kCommandGapMs = 11000;   // uploads refused this soon after a command
    static constexpr qint64 kKeepAliveIdleMs = 31000; // keep-alive lists after this much quiet
    static constexpr int kHangTellMs = 20000;         // a call this long without progress is told
    static inline const QString kPageName = QStringLiteral("imagelog.htm");

    FtpUploader(SettingsStore& settings, StartupFlags& flags, platform::FtpClient& client, QObject* parent = nullptr);
    ~FtpUploader() override;

    FtpUploaderHooks& Hooks() { return hooks_; }
    // Puts in another monotonic clock (milliseconds); both time stamps start again from it,
    // as at creation.
    void SetClock(std::function<qint64()> nowMs);
    FtpForm& Form() { return form_; }
    const FtpForm& Form() const { return form_; }
    FtpProtocolLog& Log() { return log_; }
    platform::FtpClient& Client() { return client_; }

    // The trimmed FtpHost of the settings record (the host edit's value at creation).
    QString GetFtpHostSetting() const;

    // Settings record <-> form; Load also switches the keep-alive timer as Auto Connect is.
    void LoadFtpSettings();
    // Stores and saves only while Save Settings is ticked.
    void StoreFtpSettings();

    void FtpConnect();
    void FtpDisconnect();
    bool IsFtpConnected() const { return connected_; }
    bool IsFtpBusy() const;
    bool TransferBusy() const;

    // Both skip (send nothing, queue nothing) while not connected, within 11 s of the last
    // command, while UploadPauseTimer runs or while a transfer is busy.
    FtpUploadResult FtpUploadCapturedImage(const QString& localPath, const QString& remoteName, int camera);
    FtpUploadResult FtpUploadFile(const QString& localPath, const QString& remoteName);

    // Lists the folder and makes it current; does nothing (ok) while not connected or for
    // an empty name.
    platform::FtpResult ChangeDirAndList(const QString& dir);

    // The window's commands.
    void ConnectButtonClick();
    void BackButtonClick();  // "<<": not while motion or time-lapse runs
    void BackMenuClick();    // the pop-up menu's Back
    void OpenListingRow(int row); // double click: a folder row is entered
    void DeleteListingRow(int row);
    void CreateDirButtonClick();
    void AbortButtonClick() { abortRequest_ = true; }
    void SetAutoConnect(bool on);
    void SetPassive(bool on);
    void SetDialUp(bool on); // ticking it sets the quality to 45
    // "Download" for a file row, "Change dir" for a folder row; empty without a row.
    QString DownloadCaptionFor(int row) const;

    // Holds back uploads for the next seconds (surveillance switched, time-lapse dialog).
    void MarkFtpCommandTime();
    // UploadPauseTimer on, as the time-lapse dialog does while it is open.
    void ArmDialUpPause();

    // The ring size of the Recycle mode (the record's FtpMaxImages).
    int MaxImages() const;

    qint64 LastFtpCommandTime() const { return lastCommandMs_; }
    qint64 LastFtpActivityTime() const { return lastActivityMs_; }

    // Window state.
    QString ConnectButtonCaption() const { return connectCaption_; }
    bool AbortButtonVisible() const { return abortVisible_; }
    qint64 ProgressMax() const { return progressMax_; }
    qint64 ProgressPosition() const { return progressPos_; }
    const QStringList& ListingLines() const { return listingLines_; }
    const QList<platform::FtpEntry>& ListingEntries() const { return listingEntries_; }
    const ImageLogList& ImageLog() const { return imageLog_; }

    platform::WinTimer& UploadPauseTimer() { return uploadPauseTimer_; }
    platform::WinTimer& RefreshTimer() { return refresh_; }
    platform::WinTimer& StayConnectedTimer() { return stayConnected_; }
    // Runs while a call to the server is in flight; its tick tells the user the server hangs.
    platform::WinTimer& HangTimer() { return hangWatch_; }

    qint64 NowMs() const;

signals:
    void StateChanged();   // caption, abort button, progress, connected flag
    void ListingChanged(); // the listing or the current folder
    void FormLoaded();     // the form was filled from the settings record

private:
    void OnConnected();
    void OnDisconnected();
    void OnTransferStarted(qint64 size);
    void OnTransferProgress(qint64 bytes);
    void OnTransferEnded();
    void UploadPauseTimerTick();
    void RefreshTick();
    void StayConnectedTick();
    void HangTick();
    // Arms the hang timer for a call about to run; false when the client is busy (the call
    // will be refused and another one is watched already).
    bool WatchCall();
    void EndWatch(bool armed, bool ok);

    bool CanUploadNow() const;
    // True while motion or time-lapse pictures may be uploaded into the current folder.
    bool FolderFixedByUploads() const;
    bool Unattended() const;
    bool Stopping() const;
    // A text of the connect sequence: a log row and/or a box; while unattended a row only.
    void Tell(const QString& text, bool row, bool box);
    void ReportCommandError(const QString& what, const platform::FtpResult& result);
    void UploadFailed(const QString& remoteName, const QString& reason);
    bool UploadPage();
    void SetColour(quint32 colour);
    bool Online() const;

    SettingsStore& settings_;
    StartupFlags& flags_;
    platform::FtpClient& client_;
    FtpUploaderHooks hooks_;
    FtpForm form_;
    FtpProtocolLog log_;
    ImageLogList imageLog_;

    platform::WinTimer uploadPauseTimer_;
    platform::WinTimer refresh_;
    platform::WinTimer stayConnected_;
    platform::WinTimer hangWatch_;

    bool connected_ = false;
    bool hangTold_ = false; // until a call succeeds again
    bool abortRequest_ = false;
    bool abortVisible_ = false;
    bool busySetByTransfer_ = false;
    bool timeLapseWasEnabled_ = false;
    bool inTransfer_ = false;
    bool listedSinceConnect_ = false;
    qint64 transferStartMs_ = 0;
    qint64 progressMax_ = 0;
    qint64 progressPos_ = 0;
    qint64 progressFallback_ = 0;
    qint64 lastCommandMs_ = 0;
    qint64 lastActivityMs_ = 0;
    QString connectCaption_ = QStringLiteral("Connect");
    QStringList listingLines_;
    QList<platform::FtpEntry> listingEntries_;
};
