// A server that stops answering is told once, in the protocol log and a box nothing waits
// for, until it answers again.
#include "publish/FtpUploader.h"

#include "FakeFtpClient.h"
#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "core/StartupFlags.h"
#include "core/TransferBusy.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(FtpUploaderHang, AServerThatStopsAnsweringIsToldOnceUntilItAnswersAgain) {
    QStringList boxes;
    SetMessageBoxHandler([&](const QString& text) { boxes << text; });
    TestSupport::TempProgramFolder dir;
    SettingsStore settings(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop");
    settings.FirstRunInit();
    StartupFlags flags;
    TransferBusy::Set(false);
    FakeFtpClient client;
    FtpUploader ftp(settings, flags, client);
    qint64 now = 1000000;
    ftp.SetClock([&] { return now; });
    ftp.Hooks().internetConnected = [] { return true; };
    ftp.Form().host = "127.0.0.1:2121";
    ftp.Form().user = "bob";
    ftp.Form().password = "secret";
    ftp.Form().dialUp = false;
    ftp.FtpConnect();
    ASSERT_TRUE(ftp.IsFtpConnected());
    const QString picture = dir.file("000001HOST.jpg");
    TestSupport::WriteAll(picture, "jpeg");

    // hangs: the hang timer runs out during the transfer (as often as given); then the
    // transfer ends with `result`.
    bool armedDuring = false;
    auto upload = [&](int hangs, const platform::FtpResult& result) {
        now += 20000;
        ftp.Timer1().SetEnabled(false); // the pause after a failure is over
        client.putResult = result;
        client.duringTransfer = [&, hangs] {
            armedDuring = ftp.HangTimer().Enabled();
            for (int i = 0; i < hangs; ++i)
                emit ftp.HangTimer().Timeout();
        };
        return ftp.FtpUploadCapturedImage(picture, "a.jpg", 1);
    };
    const auto timedOut = FakeFtpClient::Failed("Timeout was reached");

    EXPECT_EQ(upload(0, FakeFtpClient::Ok()), FtpUploadResult::Sent);
    EXPECT_TRUE(armedDuring);
    EXPECT_FALSE(ftp.HangTimer().Enabled());
    EXPECT_TRUE(boxes.isEmpty());

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
        SCOPED_TRACE(boxes.size());
        upload(step.hangs, step.ok ? FakeFtpClient::Ok() : timedOut);
        EXPECT_EQ(boxes.size(), step.toldAfter);
        EXPECT_FALSE(ftp.HangTimer().Enabled());
    }
    EXPECT_EQ(boxes.value(0),
              "The FTP server 127.0.0.1:2121 does not answer. Surveillance goes on; uploads wait for the server.");
    EXPECT_EQ(ftp.Log().Rows().filter("does not answer").size(), 2);
    SetMessageBoxHandler({});
}
