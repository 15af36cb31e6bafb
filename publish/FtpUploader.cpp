#include "publish/FtpUploader.h"

#include "core/Helpers.h"
#include "core/MessageBox.h"
#include "core/TransferBusy.h"
#include "core/SettingsStore.h"
#include "core/StartupFlags.h"
#include "platform/SystemInfo.h"

#include <QElapsedTimer>

namespace {

const QString kDisconnectCaption = QStringLiteral("Disconnect");
const QString kConnectCaption = QStringLiteral("Connect");
const QString kOfflineText = QStringLiteral("You must be connected to the internet to use this feature!");

qint64 SteadyNowMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

platform::FtpResult Ok() {
    platform::FtpResult result;
    result.ok = true;
    return result;
}

} // namespace

FtpUploader::FtpUploader(SettingsStore& settings, StartupFlags& flags, platform::FtpClient& client, QObject* parent)
    : QObject(parent), settings_(settings), flags_(flags), client_(client), uploadPauseTimer_(8000, true),
      refresh_(1000, false), stayConnected_(20000, false), hangWatch_(kHangTellMs, false) {
    connect(&client_, &platform::FtpClient::Connected, this, &FtpUploader::OnConnected);
    connect(&client_, &platform::FtpClient::Disconnected, this, &FtpUploader::OnDisconnected);
    connect(&client_, &platform::FtpClient::TransferStarted, this, &FtpUploader::OnTransferStarted);
    connect(&client_, &platform::FtpClient::TransferProgress, this, &FtpUploader::OnTransferProgress);
    connect(&client_, &platform::FtpClient::TransferEnded, this, &FtpUploader::OnTransferEnded);
    connect(&client_, &platform::FtpClient::ControlText, this, [this](bool sent, const QString& text) {
        if (sent)
            log_.AddSent(text);
        else
            log_.AddReceived(text);
    });
    connect(&client_, &platform::FtpClient::StatusText, this, [this](const QString& text) { log_.AddRow(text); });
    connect(&uploadPauseTimer_, &platform::WinTimer::Timeout, this, &FtpUploader::UploadPauseTimerTick);
    connect(&refresh_, &platform::WinTimer::Timeout, this, &FtpUploader::RefreshTick);
    connect(&stayConnected_, &platform::WinTimer::Timeout, this, &FtpUploader::StayConnectedTick);
    connect(&hangWatch_, &platform::WinTimer::Timeout, this, &FtpUploader::HangTick);
    lastCommandMs_ = NowMs();
    lastActivityMs_ = lastCommandMs_;
}

FtpUploader::~FtpUploader() = default;

void FtpUploader::SetClock(std::function<qint64()> nowMs) {
    hooks_.nowMs = std::move(nowMs);
    lastCommandMs_ = lastActivityMs_ = NowMs();
}

qint64 FtpUploader::NowMs() const { return hooks_.nowMs ? hooks_.nowMs() : SteadyNowMs(); }

bool FtpUploader::Unattended() const { return flags_.FtpUnattended; }

bool FtpUploader::Online() const {
    return hooks_.internetConnected ? hooks_.internetConnected() : platform::IsInternetConnected();
}

bool FtpUploader::TransferBusy() const { return ::TransferBusy::IsBusy(); }

bool FtpUploader::IsFtpBusy() const { return uploadPauseTimer_.Enabled() || ::TransferBusy::IsBusy(); }

void FtpUploader::MarkFtpCommandTime() { lastCommandMs_ = NowMs(); }

void FtpUploader::ArmDialUpPause() { uploadPauseTimer_.SetEnabled(true); }

void FtpUploader::LoadFtpSettings() {
    ::LoadFtpSettings(settings_.Record(), form_);
    client_.SetPassive(form_.passive);
    stayConnected_.SetEnabled(form_.autoConnect);
    emit FormLoaded();
    emit StateChanged();
}

void FtpUploader::StoreFtpSettings() {
    if (::StoreFtpSettings(form_, settings_.Record()))
        settings_.SaveSettings();
}

void FtpUploader::Tell(const QString& text, bool row, bool box) {
    if (row || (box && Unattended()))
        log_.AddRow(text);
    if (box && !Unattended())
        ShowMessageBox(text);
}

bool FtpUploader::Stopping() const { return hooks_.stopping && hooks_.stopping(); }

void FtpUploader::FtpConnect() {
    if (Stopping())
        return;
    if (Unattended() && !Online()) {
        stayConnected_.SetEnabled(true);
        return;
    }
    if (connected_)
        return;
    const SettingsRecord& record = settings_.Record();
    const bool quiet = form_.autoConnect && (record.AutoStart1 || record.AutoStart2);
    const QString host = TrimText(form_.host);
    const QString user = TrimText(form_.user);
    const QString password = TrimText(form_.password);
    if (host.isEmpty()) {
        Tell(QStringLiteral("No FTP Server"), true, !quiet);
        return;
    }
    if (user.isEmpty()) {
        Tell(QStringLiteral("No User ID"), true, !quiet);
        return;
    }
    if (password.isEmpty()) {
        Tell(QStringLiteral("No Password"), !quiet, true);
        return;
    }
    if (!Unattended() && !Online()) {
        if (!quiet)
            log_.AddRow(QStringLiteral("You must be connected"));
        Tell(kOfflineText, false, true);
        return;
    }
    if (client_.IsConnected())
        return;

    if (hooks_.resetFtpRing)
        hooks_.resetFtpRing();
    imageLog_.Clear();
    listedSinceConnect_ = false;
    client_.SetPassive(form_.passive);
    const bool watched = WatchCall();
    const platform::FtpResult result = client_.Connect(host, user, password);
    EndWatch(watched, result.ok);
    lastCommandMs_ = NowMs();
    if (!result.ok) {
        Tell("Error " + result.error, true, !result.refused);
        return;
    }
    if (!connected_)
        return;
    const QString remoteDir = TrimText(form_.remoteDir);
    bool listed = true;
    if (!remoteDir.isEmpty() && remoteDir != QLatin1String("/")) {
        const platform::FtpResult changed = ChangeDirAndList(remoteDir);
        if (!changed.ok) {
            Tell("Error :" + changed.error, true, !changed.refused);
            listed = false;
        }
    }
    if (listed)
        refresh_.SetEnabled(true);
    connectCaption_ = kDisconnectCaption;
    emit StateChanged();
}

void FtpUploader::FtpDisconnect() {
    stayConnected_.SetEnabled(false);
    refresh_.SetEnabled(false);
    client_.Disconnect();
    connected_ = false;
    connectCaption_ = kConnectCaption;
    emit StateChanged();
}

void FtpUploader::ConnectButtonClick() {
    if (connectCaption_ == kDisconnectCaption) {
        stayConnected_.SetEnabled(false);
        client_.Disconnect();
        connectCaption_ = kConnectCaption;
        emit StateChanged();
        return;
    }
    stayConnected_.SetEnabled(false);
    StoreFtpSettings();
    FtpConnect();
    stayConnected_.SetEnabled(form_.autoConnect);
}

void FtpUploader::OnConnected() {
    connected_ = true;
    lastActivityMs_ = NowMs();
    emit StateChanged();
}

void FtpUploader::OnDisconnected() {
    // The caption stays "Disconnect" until it is clicked; only the flag goes.
    connected_ = false;
    lastActivityMs_ = NowMs();
    emit StateChanged();
}

platform::FtpResult FtpUploader::ChangeDirAndList(const QString& dir) {
    if (!connected_ || TrimText(dir).isEmpty())
        return Ok();
    if (!platform::IsSafeFtpText(dir)) {
        platform::FtpResult refused;
        refused.error = QStringLiteral("The folder name holds a line break or NUL");
        log_.AddRow(refused.error, QColor(Qt::red));
        return refused;
    }
    const bool watched = WatchCall();
    const platform::FtpResult result = client_.ChangeDir(dir);
    EndWatch(watched, result.ok);
    lastCommandMs_ = NowMs();
    if (!result.ok)
        return result;
    form_.remoteDir = client_.CurrentDir();
    listingLines_ = client_.ListingLines();
    if (!listingLines_.isEmpty() && listingLines_.first().contains(QLatin1String("total")))
        listingLines_.removeFirst();
    listingEntries_ = client_.ListingEntries();
    lastCommandMs_ = NowMs();
    listedSinceConnect_ = true;
    emit ListingChanged();
    return result;
}

void FtpUploader::ReportCommandError(const QString& what, const platform::FtpResult& result) {
    if (result.ok)
        return;
    const QString text = result.refused ? what + ": another FTP command is still running" : what + ": " + result.error;
    log_.AddRow(text, QColor(Qt::red));
    if (!result.refused && !Unattended())
        ShowMessageBox("Error :" + result.error);
}

bool FtpUploader::FolderFixedByUploads() const {
    const bool motion = hooks_.motionTimerEnabled && hooks_.motionTimerEnabled();
    const bool timeLapse = hooks_.timeLapseTimerEnabled && hooks_.timeLapseTimerEnabled();
    return motion || timeLapse;
}

void FtpUploader::BackButtonClick() {
    // Pictures go to the current folder: it stays while they may come.
    if (FolderFixedByUploads()) {
        if (connected_)
            log_.AddRow(QStringLiteral("The folder stays while motion detection or time-lapse runs"));
        return;
    }
    BackMenuClick();
}

void FtpUploader::BackMenuClick() {
    if (connected_)
        ReportCommandError(QStringLiteral("Listing failed"), ChangeDirAndList(QStringLiteral("..")));
}

void FtpUploader::OpenListingRow(int row) {
    if (!connected_ || row < 0 || row >= listingEntries_.size() || !listingEntries_.at(row).isDirectory)
        return;
    ReportCommandError(QStringLiteral("Listing failed"), ChangeDirAndList(listingEntries_.at(row).name));
}

QString FtpUploader::DownloadCaptionFor(int row) const {
    if (!connected_ || row < 0 || row >= listingEntries_.size())
        return {};
    return listingEntries_.at(row).isDirectory ? QStringLiteral("Change dir") : QStringLiteral("Download");
}

void FtpUploader::DeleteListingRow(int row) {
    if (!connected_ || row < 0 || row >= listingEntries_.size())
        return;
    const platform::FtpEntry entry = listingEntries_.at(row);
    const platform::FtpResult result =
        entry.isDirectory ? client_.RemoveDir(entry.name) : client_.Delete(entry.name);
    if (!result.ok) {
        ReportCommandError("Delete failed: " + entry.name, result);
        return;
    }
    ReportCommandError(QStringLiteral("Listing failed"), ChangeDirAndList(client_.CurrentDir()));
}

void FtpUploader::CreateDirButtonClick() {
    const QString dir = TrimText(form_.remoteDir);
    if (!connected_ || dir.isEmpty() || dir == QLatin1String("/"))
        return;
    const platform::FtpResult made = client_.MakeDir(dir);
    lastCommandMs_ = NowMs();
    if (!made.ok) {
        ReportCommandError("Make Dir failed: " + dir, made);
        return;
    }
    ReportCommandError(QStringLiteral("Listing failed"), ChangeDirAndList(dir));
}

void FtpUploader::SetAutoConnect(bool on) {
    form_.autoConnect = on;
    settings_.Record().FtpAutoConnect = on;
    stayConnected_.SetEnabled(on);
}

void FtpUploader::SetPassive(bool on) {
    form_.passive = on;
    client_.SetPassive(on);
}

void FtpUploader::SetDialUp(bool on) {
    form_.dialUp = on;
    if (on)
        form_.quality = 45;
    emit StateChanged();
}

void FtpUploader::UploadPauseTimerTick() { uploadPauseTimer_.SetEnabled(false); }

void FtpUploader::RefreshTick() {
    refresh_.SetEnabled(false);
    if (TrimText(settings_.Record().FtpRemoteDir).isEmpty() && !FolderFixedByUploads()) {
        BackButtonClick();
        return;
    }
    // A saved folder of "/" or running surveillance leaves the folder as it is: it is
    // listed all the same, never left empty.
    if (connected_ && !listedSinceConnect_)
        ReportCommandError(QStringLiteral("Listing failed"), ChangeDirAndList(client_.CurrentDir()));
}

void FtpUploader::StayConnectedTick() {
    stayConnected_.SetEnabled(false);
    if (Stopping())
        return;
    if (connected_) {
        if (NowMs() - lastActivityMs_ >= kKeepAliveIdleMs) {
            const bool watched = WatchCall();
            const platform::FtpResult listed = client_.List();
            EndWatch(watched, listed.ok);
            if (listed.ok) {
                listingLines_ = client_.ListingLines();
                listingEntries_ = client_.ListingEntries();
                emit ListingChanged();
            } else if (!listed.refused) {
                log_.AddRow("Listing failed: " + listed.error, QColor(Qt::red));
            }
            if (!listed.refused)
                lastActivityMs_ = NowMs();
        }
    } else {
        const bool wasUnattended = flags_.FtpUnattended;
        flags_.FtpUnattended = true;
        FtpConnect();
        flags_.FtpUnattended = wasUnattended;
    }
    stayConnected_.SetEnabled(form_.autoConnect);
}

int FtpUploader::MaxImages() const { return settings_.Record().FtpMaxImages; }

QString FtpUploader::GetFtpHostSetting() const { return TrimText(settings_.Record().FtpHost); }

QStringList FtpListingColumns(const platform::FtpEntry& entry) {
    return {entry.name, QString::number(entry.size), entry.isDirectory ? QStringLiteral("Directory") : QStringLiteral("File"),
            entry.modified.isValid() ? entry.modified.toString(QStringLiteral("MM/dd/yyyy hh:mm")) : QString()};
}
