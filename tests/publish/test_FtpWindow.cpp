// The FTP window over an uploader with a fake client: what a show fills in, the export
// controls, saving and hiding.
#include "publish/FtpWindow.h"

#include "FakeFtpClient.h"
#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "core/StartupFlags.h"
#include "core/TransferBusy.h"
#include "publish/FtpUploader.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using TestSupport::TempProgramFolder;

namespace {

struct Rig {
    Rig() : settings(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop") {
        SetMessageBoxHandler([this](const QString& text) { boxes << text; });
        settings.FirstRunInit();
        TransferBusy::Set(false);
        ftp = std::make_unique<FtpUploader>(settings, flags, client);
        ftp->SetClock([this] { return now; });
        auto& hooks = ftp->Hooks();
        hooks.internetConnected = [] { return true; };
        hooks.motionTimerEnabled = [this] { return motion; };
        hooks.timeLapseTimerEnabled = [] { return false; };
        hooks.setTimeLapseTimerEnabled = [](bool) {};
        window = std::make_unique<FtpWindow>(*ftp, [] {});
    }
    ~Rig() {
        window.reset();
        SetMessageBoxHandler({});
    }

    // As the station shows it: the record into the form, then the window.
    void Show() {
        ftp->LoadFtpSettings();
        window->show();
    }
    // The record as the settings file holds it.
    SettingsRecord Stored() {
        SettingsStore other(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop");
        other.LoadSettings();
        return other.Record();
    }

    TempProgramFolder dir;
    SettingsStore settings;
    StartupFlags flags;
    FakeFtpClient client;
    std::unique_ptr<FtpUploader> ftp;
    std::unique_ptr<FtpWindow> window;
    qint64 now = 1000000;
    bool motion = false;
    QStringList boxes;
};

} // namespace

TEST(FtpWindow, AShowFillsTheControlsFromTheRecordAndKeepsTheStoredQuality) {
    Rig rig;
    SettingsRecord& record = rig.settings.Record();
    record.FtpHost = "  ftp.example.net:2121 ";
    record.FtpUser = " cam ";
    record.FtpPassword = "pw ";
    record.FtpMaxImages = 7;
    record.FtpJpegQuality = 60;
    record.FtpDialUp = true;
    rig.Show();
    FtpWindow& w = *rig.window;
    EXPECT_EQ(w.hostEdit->text(), "ftp.example.net:2121");
    EXPECT_EQ(w.userEdit->text(), "cam");
    EXPECT_EQ(w.passwordEdit->text(), "pw");
    EXPECT_EQ(w.maxImagesEdit->text(), "7");
    EXPECT_TRUE(w.dialUpBox->isChecked());
    EXPECT_EQ(w.qualitySlider->value(), 60); // the ticked dial-up box does not set 45

    // Hidden and stored with Save Settings on: the quality is the stored one, not 45.
    w.HideFtpWindow();
    EXPECT_EQ(rig.Stored().FtpJpegQuality, 60);

    // Full quality, and an unsaved edit is replaced at the next show.
    record.FtpJpegQuality = 100;
    QTest::keyClicks(w.hostEdit, "xyz");
    EXPECT_EQ(rig.ftp->Form().host, "ftp.example.net:2121xyz");
    rig.Show();
    EXPECT_EQ(w.hostEdit->text(), "ftp.example.net:2121");

    // Only a click on the dial-up box sets 45.
    w.dialUpBox->setChecked(false);
    w.dialUpBox->click();
    EXPECT_EQ(w.qualitySlider->value(), 45);
    EXPECT_EQ(rig.ftp->Form().quality, 45);
}

TEST(FtpWindow, SaveSettingsAndAutoConnectDoNotWriteTheFileWhenTheyShouldNot) {
    Rig rig;
    rig.settings.Record().FtpHost = "old.host";
    rig.settings.SaveSettings();
    rig.Show();
    FtpWindow& w = *rig.window;
    w.pageTabs->setCurrentIndex(2);
    w.saveSettingsBox->click();
    EXPECT_FALSE(w.saveSettingsBox->isChecked());
    w.hostEdit->selectAll();
    QTest::keyClicks(w.hostEdit, "new.host");
    w.saveButton->click();
    w.HideFtpWindow();
    EXPECT_EQ(rig.Stored().FtpHost, "old.host");
    EXPECT_EQ(rig.settings.Record().FtpHost, "old.host");
    rig.Show();
    EXPECT_TRUE(w.saveSettingsBox->isChecked());
    EXPECT_EQ(w.hostEdit->text(), "old.host");

    // Auto Connect: the timer and the record in memory, not the file.
    w.pageTabs->setCurrentIndex(2);
    w.autoConnectBox->click();
    EXPECT_TRUE(rig.ftp->StayConnectedTimer().Enabled());
    EXPECT_TRUE(rig.settings.Record().FtpAutoConnect);
    EXPECT_FALSE(rig.Stored().FtpAutoConnect);
    w.autoConnectBox->click();
    EXPECT_FALSE(rig.ftp->StayConnectedTimer().Enabled());
    EXPECT_FALSE(rig.settings.Record().FtpAutoConnect);

    // Passive follows its box at once.
    w.passiveBox->click();
    EXPECT_TRUE(rig.client.passive);
}

TEST(FtpWindow, EscAndHideHideTheWindowAndKeepTheConnection) {
    Rig rig;
    rig.settings.Record().FtpHost = "127.0.0.1:2121";
    rig.settings.Record().FtpUser = "cam";
    rig.settings.Record().FtpPassword = "pw";
    rig.Show();
    FtpWindow& w = *rig.window;
    w.connectButton->click();
    ASSERT_TRUE(rig.ftp->IsFtpConnected());
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    rig.Show();
    w.hideButton->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(rig.ftp->IsFtpConnected());
    EXPECT_FALSE(rig.client.calls.contains("disconnect"));
}
