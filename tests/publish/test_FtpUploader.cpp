#include "publish/FtpUploader.h"

#include "FakeFtpClient.h"
#include "core/MessageBox.h"
#include "core/TransferBusy.h"
#include "core/SettingsStore.h"
#include "core/StartupFlags.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <memory>

using TestSupport::ReadAll;
using TestSupport::TempProgramFolder;
using TestSupport::WriteAll;

namespace {

const QString kOffline = "You must be connected to the internet to use this feature!";

// An uploader over a fake client, a temporary program folder and a clock the test moves.
struct Rig {
    Rig() : settings(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop") {
        SetMessageBoxHandler([this](const QString& text) { boxes << text; });
        settings.FirstRunInit();
        flags.FtpUnattended = false;
        TransferBusy::Set(false);
        ftp = std::make_unique<FtpUploader>(settings, flags, client);
        ftp->SetClock([this] { return now; });
        auto& hooks = ftp->Hooks();
        hooks.internetConnected = [this] { return online; };
        hooks.setGroupBoxColour = [](quint32) {};
        hooks.resetFtpRing = [this] { ++ringResets; };
        hooks.motionTimerEnabled = [this] { return motion; };
        hooks.timeLapseTimerEnabled = [this] { return timeLapse; };
        hooks.setTimeLapseTimerEnabled = [this](bool on) { timeLapse = on; };
        FtpForm& form = ftp->Form();
        form.host = "127.0.0.1:2121";
        form.user = "bob";
        form.password = "secret";
    }
    ~Rig() { SetMessageBoxHandler({}); }

    // Connected, past the pacing of the connect.
    void Connect() {
        ftp->FtpConnect();
        ASSERT_TRUE(ftp->IsFtpConnected());
        ftp->UploadPauseTimer().SetEnabled(false);
        now += 20000;
    }
    QString Picture(int n) {
        const QString path = dir.file(QString("00000%1HOST.jpg").arg(n));
        WriteAll(path, "jpeg" + QByteArray::number(n));
        return path;
    }

    TempProgramFolder dir;
    SettingsStore settings;
    StartupFlags flags;
    FakeFtpClient client;
    std::unique_ptr<FtpUploader> ftp;
    qint64 now = 1000000;
    bool online = true;
    bool motion = false, timeLapse = false;
    int ringResets = 0;
    QStringList boxes;
};

} // namespace

TEST(FtpConnect, MissingValuesAndOfflineGiveBoxesOrRowsByHowItWasStarted) {
    enum Way { Interactive, Quiet, Unattended };
    struct Case {
        const char* missing;
        Way way;
        QStringList boxes;
        QStringList rows;
    } cases[] = {
        {"host", Interactive, {"No FTP Server"}, {"No FTP Server"}},
        {"host", Quiet, {}, {"No FTP Server"}},
        {"host", Unattended, {}, {"No FTP Server"}},
        {"user", Interactive, {"No User ID"}, {"No User ID"}},
        {"user", Quiet, {}, {"No User ID"}},
        {"user", Unattended, {}, {"No User ID"}},
        {"password", Interactive, {"No Password"}, {"No Password"}},
        {"password", Quiet, {"No Password"}, {}},
        {"password", Unattended, {}, {"No Password"}},
        {"online", Interactive, {kOffline}, {"You must be connected"}},
        {"online", Quiet, {kOffline}, {}},
        {"online", Unattended, {}, {}}, // waits for the keep-alive tick to retry
    };
    for (const Case& c : cases) {
        Rig rig;
        const QString missing = c.missing;
        FtpForm& form = rig.ftp->Form();
        if (missing == "host")
            form.host = "  ";
        if (missing == "user")
            form.user = "";
        if (missing == "password")
            form.password = " ";
        rig.online = missing != "online";
        // Quiet: Auto Connect with a camera that starts by itself; unattended: the same,
        // connecting at start-up.
        form.autoConnect = c.way != Interactive;
        rig.settings.Record().AutoStart1 = c.way != Interactive;
        rig.flags.FtpUnattended = c.way == Unattended;
        rig.ftp->FtpConnect();
        const std::string what = missing.toStdString() + " way " + std::to_string(c.way);
        EXPECT_EQ(rig.boxes, c.boxes) << what;
        EXPECT_EQ(rig.ftp->Log().Rows(), c.rows) << what;
        EXPECT_TRUE(rig.client.calls.isEmpty()) << what;
        EXPECT_FALSE(rig.ftp->IsFtpConnected());
        if (missing == "online" && c.way == Unattended) {
            EXPECT_TRUE(rig.ftp->StayConnectedTimer().Enabled());
        }
    }
}

TEST(FtpConnect, LogsInEntersTheSavedFolderAndReportsFailures) {
    Rig rig;
    rig.ftp->Form().remoteDir = " /pics ";
    rig.ftp->FtpConnect();
    EXPECT_EQ(rig.client.calls, QStringList({"connect 127.0.0.1:2121 bob", "cd /pics"}));
    EXPECT_TRUE(rig.ftp->IsFtpConnected() && rig.ftp->RefreshTimer().Enabled());
    EXPECT_TRUE(rig.boxes.isEmpty());
    EXPECT_EQ(rig.ringResets, 1); // the ring of remote names starts over
    // A second connect while connected does nothing.
    rig.ftp->FtpConnect();
    EXPECT_EQ(rig.client.calls.size(), 2);
    EXPECT_EQ(rig.ringResets, 1);

    // "/" is not entered; a folder that fails to list leaves the connection and no refresh.
    Rig root;
    root.ftp->Form().remoteDir = "/";
    root.ftp->FtpConnect();
    EXPECT_EQ(root.client.calls, QStringList({"connect 127.0.0.1:2121 bob"}));
    Rig badDir;
    badDir.ftp->Form().remoteDir = "gone";
    badDir.client.dirResult = FakeFtpClient::Failed("550 No such folder");
    badDir.ftp->FtpConnect();
    EXPECT_TRUE(badDir.ftp->IsFtpConnected());
    EXPECT_FALSE(badDir.ftp->RefreshTimer().Enabled());
    EXPECT_EQ(badDir.boxes, QStringList({"Error :550 No such folder"}));

    // A refused log-in: a row, a box when the user asked, none while unattended.
    for (bool unattended : {false, true}) {
        Rig bad;
        bad.client.connectResult = FakeFtpClient::Failed("Access denied: 530");
        bad.flags.FtpUnattended = unattended;
        bad.ftp->FtpConnect();
        EXPECT_FALSE(bad.ftp->IsFtpConnected() || bad.ftp->RefreshTimer().Enabled());
        EXPECT_TRUE(bad.ftp->Log().Rows().contains("Error Access denied: 530"));
        EXPECT_EQ(bad.boxes, unattended ? QStringList() : QStringList({"Error Access denied: 530"}));
    }
}

TEST(FtpUploads, PacingSkipsPicturesAndFailuresArmTheDialUpPause) {
    Rig rig;
    rig.Connect();
    rig.ftp->Form().dialUp = false;
    const QString picture = rig.Picture(1);
    // Within 11 s of the connect.
    rig.now -= 15000;
    EXPECT_EQ(rig.ftp->FtpUploadCapturedImage(picture, "a.jpg", 1), FtpUploadResult::Skipped);
    rig.now += 15000;
    // Two pictures 5 s apart: only the first goes.
    EXPECT_EQ(rig.ftp->FtpUploadCapturedImage(picture, "a.jpg", 1), FtpUploadResult::Sent);
    EXPECT_FALSE(rig.ftp->UploadPauseTimer().Enabled() || TransferBusy::IsBusy());
    rig.now += 5000;
    EXPECT_EQ(rig.ftp->FtpUploadCapturedImage(picture, "b.jpg", 1), FtpUploadResult::Skipped);
    rig.now += 6000;
    // UploadPauseTimer and the busy flag hold uploads back too.
    rig.ftp->ArmDialUpPause();
    EXPECT_TRUE(rig.ftp->IsFtpBusy());
    EXPECT_EQ(rig.ftp->FtpUploadCapturedImage(picture, "b.jpg", 1), FtpUploadResult::Skipped);
    rig.ftp->UploadPauseTimer().SetEnabled(false);
    TransferBusy::Set(true);
    EXPECT_TRUE(rig.ftp->IsFtpBusy());
    EXPECT_EQ(rig.ftp->FtpUploadFile(picture, "b.jpg"), FtpUploadResult::Skipped);
    TransferBusy::Set(false);
    EXPECT_EQ(rig.client.calls.filter("put"), QStringList({"put a.jpg"}));

    // Dial-up: the pause is armed again after a successful upload.
    rig.ftp->Form().dialUp = true;
    EXPECT_EQ(rig.ftp->FtpUploadCapturedImage(picture, "b.jpg", 1), FtpUploadResult::Sent);
    EXPECT_TRUE(rig.ftp->UploadPauseTimer().Enabled());
    emit rig.ftp->UploadPauseTimer().Timeout();
    EXPECT_FALSE(rig.ftp->UploadPauseTimer().Enabled());

    // A failed STOR: a red row, the pause armed in either mode, nothing left busy.
    rig.ftp->Form().dialUp = false;
    rig.client.putResult = FakeFtpClient::Failed("550 Permission denied");
    rig.now += 11000;
    EXPECT_EQ(rig.ftp->FtpUploadCapturedImage(picture, "c.jpg", 1), FtpUploadResult::Failed);
    EXPECT_EQ(rig.ftp->Log().Rows().last(), "Upload failed: c.jpg: 550 Permission denied");
    EXPECT_TRUE(rig.ftp->UploadPauseTimer().Enabled());
    EXPECT_FALSE(TransferBusy::IsBusy() || rig.ftp->AbortButtonVisible());

    // A name that would smuggle a command is refused before anything is sent.
    rig.ftp->UploadPauseTimer().SetEnabled(false);
    rig.client.putResult = FakeFtpClient::Ok();
    rig.now += 11000;
    const int putsBefore = int(rig.client.calls.filter("put").size());
    EXPECT_EQ(rig.ftp->FtpUploadFile(picture, "x.jpg\r\nDELE y"), FtpUploadResult::Failed);
    EXPECT_EQ(rig.client.calls.filter("put").size(), putsBefore);
    EXPECT_TRUE(rig.ftp->Log().Rows().last().startsWith("Upload failed: x.jpg DELE y"));

    // FtpUploadFile: the pause holds only while it runs.
    EXPECT_EQ(rig.ftp->FtpUploadFile(picture, "d.jpg"), FtpUploadResult::Sent);
    EXPECT_FALSE(rig.ftp->UploadPauseTimer().Enabled() || TransferBusy::IsBusy());

    // Nothing is sent while not connected.
    rig.client.Disconnect();
    rig.now += 20000;
    EXPECT_EQ(rig.ftp->FtpUploadCapturedImage(picture, "e.jpg", 1), FtpUploadResult::Skipped);
}

TEST(FtpUploads, TransferEventsHoldTheBusyFlagAndRestoreTheMainTimers) {
    Rig rig;
    rig.Connect();
    rig.ftp->Form().dialUp = false;
    bool busyDuring = false, abortShown = false;
    rig.client.duringTransfer = [&] {
        busyDuring = TransferBusy::IsBusy();
        abortShown = rig.ftp->AbortButtonVisible();
        rig.motion = false; // a click stops surveillance mid-transfer
        rig.ftp->AbortButtonClick();
        emit rig.client.TransferProgress(700);
    };
    rig.motion = true;
    rig.timeLapse = false;
    rig.ftp->FtpUploadCapturedImage(rig.Picture(1), "a.jpg", 1);
    EXPECT_TRUE(busyDuring && abortShown);
    EXPECT_EQ(rig.client.aborts, 1);
    // Surveillance runs on during a transfer, so the user's stop stands.
    EXPECT_TRUE(!rig.motion && !rig.timeLapse);
    EXPECT_EQ(rig.ftp->ProgressPosition(), 0);

    // A keep-alive listing while the time-lapse dialog holds the flag leaves it held; when
    // the dialog lets go during the listing, the listing does not take it up again.
    rig.client.duringTransfer = {};
    TransferBusy::Set(true);
    rig.now += 40000;
    rig.ftp->Form().autoConnect = true;
    emit rig.ftp->StayConnectedTimer().Timeout();
    EXPECT_EQ(rig.client.calls.last(), "list");
    EXPECT_TRUE(TransferBusy::IsBusy());
    rig.client.duringTransfer = [] { TransferBusy::Set(false); };
    rig.now += 40000;
    emit rig.ftp->StayConnectedTimer().Timeout();
    EXPECT_EQ(rig.client.calls.filter("list").size(), 2);
    EXPECT_FALSE(TransferBusy::IsBusy());
}

TEST(FtpKeepAlive, ListsAfterQuietAndReconnectsUnattended) {
    Rig rig;
    rig.Connect();
    rig.ftp->Form().autoConnect = true;
    rig.client.calls.clear();
    rig.now += 10000; // 30 s since the connect's activity
    emit rig.ftp->StayConnectedTimer().Timeout();
    EXPECT_TRUE(rig.client.calls.isEmpty());
    EXPECT_TRUE(rig.ftp->StayConnectedTimer().Enabled());
    rig.now += 1000;
    emit rig.ftp->StayConnectedTimer().Timeout();
    EXPECT_EQ(rig.client.calls, QStringList({"list"}));

    // The link is lost; the next tick reconnects without a box, even with a bad password.
    rig.client.Disconnect();
    rig.client.connectResult = FakeFtpClient::Failed("Access denied: 530");
    rig.client.calls.clear();
    emit rig.ftp->StayConnectedTimer().Timeout();
    EXPECT_EQ(rig.client.calls, QStringList({"connect 127.0.0.1:2121 bob"}));
    EXPECT_TRUE(rig.boxes.isEmpty());
    EXPECT_TRUE(rig.ftp->StayConnectedTimer().Enabled());
    rig.client.connectResult = FakeFtpClient::Ok();
    emit rig.ftp->StayConnectedTimer().Timeout();
    EXPECT_TRUE(rig.ftp->IsFtpConnected());

    // Without Auto Connect the timer stays off after its tick.
    rig.ftp->Form().autoConnect = false;
    emit rig.ftp->StayConnectedTimer().Timeout();
    EXPECT_FALSE(rig.ftp->StayConnectedTimer().Enabled());

    // Once the station is ending a lost link is not taken up again.
    rig.ftp->Form().autoConnect = true;
    rig.client.Disconnect();
    rig.ftp->Hooks().stopping = [] { return true; };
    rig.client.calls.clear();
    emit rig.ftp->StayConnectedTimer().Timeout();
    rig.ftp->FtpConnect();
    EXPECT_TRUE(rig.client.calls.isEmpty());
    EXPECT_FALSE(rig.ftp->StayConnectedTimer().Enabled());
}

TEST(FtpFolders, RefreshGoesUpAndCommandsWorkOnTheListing) {
    Rig rig;
    rig.client.cwd = "/home/bob";
    rig.client.lines = {"total 2", "drwxr-xr-x 2 o g 4096 Dec 01 10:00 pics",
                        "-rw-r--r-- 1 o g 12 Dec 01 10:00 a.jpg"};
    rig.Connect();
    // No saved folder: the refresh lists the parent of the log-in folder; while motion runs
    // (the pictures go to the log-in folder) that folder itself.
    rig.motion = true;
    emit rig.ftp->RefreshTimer().Timeout();
    EXPECT_EQ(rig.client.calls.filter("cd"), QStringList({"cd /home/bob"}));
    rig.motion = false;
    rig.ftp->RefreshTimer().SetEnabled(true);
    emit rig.ftp->RefreshTimer().Timeout();
    EXPECT_FALSE(rig.ftp->RefreshTimer().Enabled());
    EXPECT_EQ(rig.client.calls.filter("cd"), QStringList({"cd /home/bob", "cd .."}));
    EXPECT_EQ(rig.ftp->Form().remoteDir, "/home");
    EXPECT_EQ(rig.ftp->ListingLines().size(), 2); // "total" line dropped

    rig.ftp->OpenListingRow(1); // a file: nothing
    rig.ftp->OpenListingRow(0);
    EXPECT_EQ(rig.client.calls.last(), "cd pics");
    rig.ftp->DeleteListingRow(1);
    EXPECT_EQ(rig.client.calls.mid(rig.client.calls.size() - 2), QStringList({"dele a.jpg", "cd /home/pics"}));
    rig.ftp->DeleteListingRow(0);
    EXPECT_TRUE(rig.client.calls.contains("rmd pics"));
    rig.ftp->Form().remoteDir = "/home/new";
    rig.ftp->CreateDirButtonClick();
    EXPECT_EQ(rig.client.calls.mid(rig.client.calls.size() - 2), QStringList({"mkd /home/new", "cd /home/new"}));

    // A refused delete (a transfer in flight) is told in the log only; a failing one in a box.
    rig.client.commandResult = FakeFtpClient::Refused();
    rig.ftp->DeleteListingRow(1);
    EXPECT_TRUE(rig.boxes.isEmpty());
    EXPECT_TRUE(rig.ftp->Log().Rows().last().contains("still running"));
    rig.client.commandResult = FakeFtpClient::Failed("550 Not allowed");
    rig.ftp->DeleteListingRow(1);
    EXPECT_EQ(rig.boxes, QStringList({"Error :550 Not allowed"}));

    // A folder name with a line break never reaches the client.
    const int before = int(rig.client.calls.size());
    EXPECT_FALSE(rig.ftp->ChangeDirAndList("x\r\nRMD /").ok);
    EXPECT_EQ(rig.client.calls.size(), before);
}

TEST(FtpUploads, AServerThatStopsAnsweringIsToldOnceUntilItAnswersAgain) {
    Rig rig;
    rig.Connect();
    rig.ftp->Form().dialUp = false;
    const QString picture = rig.Picture(1);
    FtpUploader& ftp = *rig.ftp;
    // hangs: the hang timer runs out during the transfer (as often as given); then the
    // transfer ends with `result`.
    bool armedDuring = false;
    auto upload = [&](int hangs, const platform::FtpResult& result) {
        rig.now += 20000;
        ftp.UploadPauseTimer().SetEnabled(false); // the pause after a failure is over
        rig.client.putResult = result;
        rig.client.duringTransfer = [&, hangs] {
            armedDuring = ftp.HangTimer().Enabled();
            for (int i = 0; i < hangs; ++i)
                emit ftp.HangTimer().Timeout();
        };
        return ftp.FtpUploadCapturedImage(picture, "a.jpg", 1);
    };
    EXPECT_EQ(upload(0, FakeFtpClient::Ok()), FtpUploadResult::Sent);
    EXPECT_TRUE(armedDuring);

    const struct {
        int hangs;
        bool ok;
        int toldAfter;
    } steps[] = {
        {2, false, 1}, // hung, told once however long it hangs
        {1, false, 1}, // the next call hangs too: not told again
        {0, true, 1},  // the server answers again ...
        {1, false, 2}, // ... so a new hang is told
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(rig.boxes.size());
        upload(step.hangs,
               step.ok ? FakeFtpClient::Ok() : FakeFtpClient::Failed("Timeout was reached"));
        EXPECT_EQ(rig.boxes.size(), step.toldAfter);
        EXPECT_FALSE(ftp.HangTimer().Enabled());
    }
    EXPECT_EQ(rig.boxes.value(0), "The FTP server 127.0.0.1:2121 does not answer. Surveillance "
                                  "goes on; uploads wait for the server.");
    EXPECT_EQ(ftp.Log().Rows().filter("does not answer").size(), 2);
}
