// Uploads, the picture log page and the transfer events of the FTP uploader.
#include "publish/FtpUploader.h"

#include "core/Helpers.h"
#include "core/MessageBox.h"
#include "core/TransferBusy.h"
#include "core/SettingsStore.h"
#include "platform/WholeFile.h"

#include <QEventLoop>
#include <QTimer>

namespace {

// Clears the busy flag, hides the abort button and puts the colour back on every way out.
class UploadScope {
public:
    UploadScope(std::function<void(quint32)> setColour, bool& abortVisible, bool& abortRequest)
        : setColour_(std::move(setColour)), abortVisible_(abortVisible), abortRequest_(abortRequest) {
        TransferBusy::Set(true);
        setColour_(FtpUploader::kMaroon);
    }
    ~UploadScope() {
        TransferBusy::Set(false);
        abortVisible_ = false;
        abortRequest_ = false;
        setColour_(FtpUploader::kBlack);
    }
    UploadScope(const UploadScope&) = delete;
    UploadScope& operator=(const UploadScope&) = delete;

private:
    std::function<void(quint32)> setColour_;
    bool& abortVisible_;
    bool& abortRequest_;
};

void WaitProcessingEvents(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

void FtpUploader::SetColour(quint32 colour) {
    if (hooks_.setGroupBoxColour)
        hooks_.setGroupBoxColour(colour);
}

bool FtpUploader::WatchCall() {
    if (client_.Busy())
        return false;
    hangWatch_.SetEnabled(false);
    hangWatch_.SetEnabled(true);
    return true;
}

void FtpUploader::EndWatch(bool armed, bool ok) {
    if (!armed)
        return;
    hangWatch_.SetEnabled(false);
    if (ok)
        hangTold_ = false;
}

void FtpUploader::HangTick() {
    hangWatch_.SetEnabled(false);
    if (hangTold_)
        return;
    hangTold_ = true;
    // Said once until the server answers again; nothing waits for the box.
    const QString text = "The FTP server " + TrimText(form_.host) +
                         " does not answer. Surveillance goes on; uploads wait for the server.";
    log_.AddRow(text, QColor(Qt::red));
    ShowNoticeBox(text);
}

bool FtpUploader::CanUploadNow() const {
    return connected_ && NowMs() - lastCommandMs_ >= kCommandGapMs && !uploadPauseTimer_.Enabled() && !TransferBusy::IsBusy();
}

void FtpUploader::UploadFailed(const QString& remoteName, const QString& reason) {
    log_.AddRow("Upload failed: " + remoteName + ": " + reason, QColor(Qt::red));
}

FtpUploadResult FtpUploader::FtpUploadCapturedImage(const QString& localPath, const QString& remoteName, int camera) {
    if (!CanUploadNow())
        return FtpUploadResult::Skipped;
    if (!platform::IsSafeFtpText(remoteName)) {
        UploadFailed(remoteName.simplified(), QStringLiteral("the name holds a line break or NUL"));
        return FtpUploadResult::Failed;
    }
    UploadScope scope([this](quint32 c) { SetColour(c); }, abortVisible_, abortRequest_);
    if (form_.dialUp)
        uploadPauseTimer_.SetEnabled(true);
    lastCommandMs_ = NowMs();
    const bool watched = WatchCall();
    const platform::FtpResult sent = client_.Put(localPath, remoteName);
    EndWatch(watched, sent.ok);
    if (!sent.ok) {
        if (sent.refused)
            return FtpUploadResult::Skipped;
        UploadFailed(remoteName, sent.aborted ? QStringLiteral("aborted") : sent.error);
        uploadPauseTimer_.SetEnabled(true);
        return FtpUploadResult::Failed;
    }
    // Only a picture the server has goes onto the page.
    if (form_.createWebPage) {
        UpdateImageLogList(imageLog_, form_.exportMode, MaxImages(), localPath, remoteName,
                           camera);
        if (!UploadPage())
            uploadPauseTimer_.SetEnabled(true);
    }
    if (form_.dialUp)
        uploadPauseTimer_.SetEnabled(true);
    return FtpUploadResult::Sent;
}

bool FtpUploader::UploadPage() {
    const QString pagePath = settings_.Folder().File(kPageName);
    QString error;
    if (!platform::WriteWholeFile(pagePath, BuildImageLogPage(imageLog_, settings_.Record().SiteLocation), &error)) {
        UploadFailed(kPageName, error);
        return false;
    }
    if (form_.dialUp) {
        if (hooks_.pause)
            hooks_.pause(500);
        else
            WaitProcessingEvents(500);
    }
    lastCommandMs_ = NowMs();
    const bool watched = WatchCall();
    const platform::FtpResult sent = client_.Put(pagePath, kPageName);
    EndWatch(watched, sent.ok);
    lastCommandMs_ = NowMs();
    if (!sent.ok) {
        UploadFailed(kPageName, sent.refused ? QStringLiteral("another FTP command is still running")
                                             : sent.aborted ? QStringLiteral("aborted") : sent.error);
        return false;
    }
    return true;
}

FtpUploadResult FtpUploader::FtpUploadFile(const QString& localPath, const QString& remoteName) {
    if (!CanUploadNow())
        return FtpUploadResult::Skipped;
    if (!platform::IsSafeFtpText(remoteName)) {
        UploadFailed(remoteName.simplified(), QStringLiteral("the name holds a line break or NUL"));
        return FtpUploadResult::Failed;
    }
    FtpUploadResult outcome = FtpUploadResult::Sent;
    {
        UploadScope scope([](quint32) {}, abortVisible_, abortRequest_);
        uploadPauseTimer_.SetEnabled(true);
        lastCommandMs_ = NowMs();
        const platform::FtpResult sent = client_.Put(localPath, remoteName);
        if (!sent.ok) {
            outcome = sent.refused ? FtpUploadResult::Skipped : FtpUploadResult::Failed;
            if (!sent.refused)
                UploadFailed(remoteName, sent.aborted ? QStringLiteral("aborted") : sent.error);
        }
    }
    uploadPauseTimer_.SetEnabled(false);
    emit StateChanged();
    return outcome;
}

void FtpUploader::OnTransferStarted(qint64 size) {
    timeLapseWasEnabled_ = hooks_.timeLapseTimerEnabled && hooks_.timeLapseTimerEnabled();
    lastCommandMs_ = lastActivityMs_ = NowMs();
    // The transfer clears only a flag it set itself: an upload holds it through picture and
    // page, and the time-lapse dialog or an aim command keeps it through a keep-alive listing.
    busySetByTransfer_ = !TransferBusy::IsBusy();
    TransferBusy::Set(true);
    inTransfer_ = true;
    abortVisible_ = true;
    abortRequest_ = false;
    transferStartMs_ = lastActivityMs_;
    progressMax_ = size >= 0 ? size : progressFallback_;
    progressPos_ = 0;
    emit StateChanged();
}

void FtpUploader::OnTransferProgress(qint64 bytes) {
    lastActivityMs_ = NowMs();
    if (hangWatch_.Enabled() && bytes != progressPos_) {
        hangWatch_.SetEnabled(false);
        hangWatch_.SetEnabled(true);
    }
    if (abortRequest_)
        client_.Abort();
    progressPos_ = bytes;
    abortRequest_ = false;
    emit StateChanged();
}

void FtpUploader::OnTransferEnded() {
    if (!inTransfer_)
        return;
    inTransfer_ = false;
    lastCommandMs_ = lastActivityMs_ = NowMs();
    abortVisible_ = false;
    progressFallback_ = 0;
    if (busySetByTransfer_)
        TransferBusy::Set(false);
    busySetByTransfer_ = false;
    progressPos_ = 0;
    uploadPauseTimer_.SetEnabled(false);
    if (hooks_.setTimeLapseTimerEnabled)
        hooks_.setTimeLapseTimerEnabled(timeLapseWasEnabled_);
    emit StateChanged();
}
