// The installer in a scratch home (ScratchInstall.h).
#include "tests/app/ScratchInstall.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>


namespace {

// The scratch home, with the messages the installer gives.
struct ScratchHome : Scratch {
    TestSupport::MessageLog messages;
};

} // namespace

TEST(Installer, DriveChecksGiveTheStatusLine) {
    ScratchHome s;
    Installer installer = s.Make();
    installer.FormActivate();
    EXPECT_EQ(installer.TargetDrive(), s.Home());
    EXPECT_EQ(installer.View().installLocation, s.Home("torvek"));
    EXPECT_EQ(installer.View().iconPath, s.Home("Desktop/TORVEK.desktop"));
    EXPECT_EQ(installer.View().targetDriveText, "Ready to Install Free Megabytes 500");
    EXPECT_TRUE(installer.View().installEnabled);

    s.system.freeBytes = 1LL << 20;
    installer.CheckTargetDrive();
    EXPECT_FALSE(installer.View().installEnabled);
    EXPECT_EQ(installer.View().targetDriveText, s.Home() + " not allowed more Disk Space is needed.");
    // On the program's own volume the text says so instead.
    Installer own(s.system, s.Home("app/"), s.Home("app/torvek"));
    own.CheckTargetDrive();
    EXPECT_EQ(own.View().targetDriveText, "Drive " + s.Home() + " Not Allowed Install from CD");
    s.system.freeBytes.reset(); // unreadable: no room
    installer.CheckTargetDrive();
    EXPECT_FALSE(installer.View().installEnabled);

    installer.DriveComboChange(s.dir.path() + "usb");
    EXPECT_EQ(installer.View().targetDriveText, "Ready to Install Free Megabytes 8192");
    EXPECT_EQ(installer.View().installLocation, s.dir.path() + "usb/torvek");
}

TEST(Installer, InstallReplacesAnOlderCopyAndWritesTheDesktopEntry) {
    ScratchHome s;
    QDir().mkpath(s.Home("torvek"));
    TestSupport::WriteAll(s.Home("torvek/torvek"), "old");
    TestSupport::WriteAll(s.Home("torvek/X290607.dat"), "old settings");
    Installer installer = s.Make();
    installer.InstallClick();
    EXPECT_EQ(s.messages, QStringList({"Install complete. An Icon has been placed on the desktop. "}));
    EXPECT_EQ(TestSupport::ReadAll(s.Home("torvek/torvek")), "#!/bin/sh\necho running\n");
    EXPECT_FALSE(QFile::exists(s.Home("torvek/X290607.dat")));
    EXPECT_TRUE(QFileInfo(s.Home("torvek/torvek")).isExecutable());
    const QString entry = QString::fromUtf8(TestSupport::ReadAll(s.Home("Desktop/TORVEK.desktop")));
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(entry.contains("Exec=\"" + s.Home("torvek/torvek") + "\"\n"));
    EXPECT_TRUE(entry.contains("Path=" + s.Home("torvek") + "\n"));
    EXPECT_TRUE(QFileInfo(s.Home("Desktop/TORVEK.desktop")).permissions() & QFileDevice::ExeOwner);
    EXPECT_FALSE(installer.View().visible);
    EXPECT_TRUE(installer.View().runEnabled);

    // Run from the installed copy: nothing of it is deleted or copied, the entry is written.
    TestSupport::WriteAll(s.Home("torvek/X290607.dat"), "settings");
    QDir().mkpath(s.Home("torvek/bin"));
    TestSupport::WriteAll(s.Home("torvek/bin/torvek"), "payload");
    s.messages.clear();
    Installer fromCopy(s.system, s.Home("torvek/"), s.Home("torvek/torvek"));
    fromCopy.InstallClick();
    EXPECT_TRUE(QFile::exists(s.Home("torvek/X290607.dat")));
    ASSERT_EQ(s.messages.size(), 1);
    EXPECT_TRUE(s.messages[0].contains("already in place")) << s.messages[0].toStdString();
}

TEST(Installer, FailuresAreReportedNeverAsSuccess) {
    ScratchHome s;
    QFile::remove(s.dir.path() + "media/bin/torvek");
    Installer installer = s.Make();
    installer.InstallClick();
    ASSERT_EQ(s.messages.size(), 1);
    EXPECT_TRUE(s.messages[0].startsWith("INSTALL FAILED."));
    EXPECT_FALSE(QFile::exists(s.Home("torvek")));

    // The install folder cannot be made: a file stands in its place.
    TestSupport::WriteAll(s.dir.path() + "media/bin/torvek", "payload");
    TestSupport::WriteAll(s.Home("torvek"), "a file");
    s.messages.clear();
    installer.InstallClick();
    ASSERT_EQ(s.messages.size(), 1);
    EXPECT_TRUE(s.messages[0].startsWith("INSTALL FAILED.\n"));
    EXPECT_TRUE(installer.View().targetDriveText.isEmpty());
}

TEST(Installer, MenuInstallOneCopyPerCameraOrKeepsAnExistingOne) {
    ScratchHome s;
    s.system.devices = {"Cam A", "Cam B"};
    s.system.answers = {true, true};
    Installer installer = s.Make();
    installer.InstallActionClick();
    EXPECT_EQ(s.system.questions, QStringList({"Install TORVEK now?", "Install Multiple Single Cameras?"}));
    for (int n : {1, 2}) {
        EXPECT_EQ(TestSupport::ReadAll(s.Home(QString("cam%1/torcam%1").arg(n))), "payload");
        EXPECT_TRUE(QFile::exists(s.Home(QString("Desktop/cam%1.desktop").arg(n))));
    }
    EXPECT_FALSE(QFile::exists(s.Home("torvek")));
    EXPECT_TRUE(s.messages.isEmpty());

    // Single install over an existing copy: kept, said so, then the question to start it.
    QDir().mkpath(s.Home("torvek"));
    TestSupport::WriteAll(s.Home("torvek/torvek"), "mine");
    s.system.devices = {"Cam A"};
    s.system.answers = {true, true};
    s.system.questions.clear();
    installer.InstallActionClick();
    EXPECT_EQ(TestSupport::ReadAll(s.Home("torvek/torvek")), "mine");
    ASSERT_EQ(s.messages.size(), 1);
    EXPECT_TRUE(s.messages[0].contains("kept as it is"));
    EXPECT_EQ(s.system.questions, QStringList({"Install TORVEK now?", "Start TORVEK now?"}));
    EXPECT_EQ(s.system.started, QStringList({s.Home("torvek/torvek")}));
}

TEST(Installer, UninstallMovesTheFolderToTheTrashOrSaysWhyNot) {
    ScratchHome s;
    Installer installer = s.Make();
    installer.FormActivate();
    installer.UninstallButtonClick();
    EXPECT_EQ(s.messages, QStringList({"TORVEK was not found."}));

    installer.InstallClick();
    s.messages.clear();
    s.system.answers = {true};
    s.system.trashFails = true;
    installer.UninstallButtonClick();
    ASSERT_EQ(s.messages.size(), 1);
    EXPECT_EQ(s.messages[0], "TORVEK could not be removed.\nno trash here");
    EXPECT_TRUE(QFile::exists(s.Home("torvek/torvek")));
    EXPECT_TRUE(installer.View().targetDriveText.isEmpty());

    s.messages.clear();
    s.system.trashFails = false;
    s.system.answers = {true};
    TestSupport::WriteAll(s.Home("Desktop/TORVEK.desktop"), "entry");
    installer.UninstallButtonClick();
    EXPECT_EQ(s.messages, QStringList({"TORVEK has been removed!"}));
    EXPECT_FALSE(QFile::exists(s.Home("torvek")));
    EXPECT_FALSE(QFile::exists(s.Home("Desktop/TORVEK.desktop")));
    EXPECT_TRUE(QFile::exists(s.Home(".local/share/Trash/files/torvek/torvek")));
    EXPECT_TRUE(QFile::exists(s.Home(".local/share/Trash/info/torvek.trashinfo")));
    EXPECT_EQ(installer.View().heading, Installer::kWelcome);

    // Never a path without TORVEK, never the folder the station runs from.
    EXPECT_FALSE(installer.DeleteFolderToRecycleBin(s.Home("photos")));
    QDir().mkpath(s.Home("torvek"));
    s.messages.clear();
    Installer running(s.system, s.Home("torvek/"), s.Home("torvek/torvek"));
    running.UninstallButtonClick();
    EXPECT_EQ(s.messages, QStringList({"Something is wrong can not uninstall"}));
    EXPECT_TRUE(QFile::exists(s.Home("torvek")));
}

TEST(Installer, ALinkedInstallFolderIsRefusedAndWhatItPointsToIsLeftAlone) {
    ScratchHome s;
    const QString elsewhere = s.Home("elsewhere");
    QDir().mkpath(elsewhere);
    TestSupport::WriteAll(elsewhere + "/X290607.dat", "their settings");
    TestSupport::WriteAll(elsewhere + "/torvek", "their program");
    const auto untouched = [&] {
        return TestSupport::ReadAll(elsewhere + "/X290607.dat") == "their settings" &&
               TestSupport::ReadAll(elsewhere + "/torvek") == "their program" &&
               QDir(elsewhere).entryList(QDir::Files).size() == 2;
    };
    ASSERT_TRUE(QFile::link(elsewhere, s.Home("torvek")));
    ASSERT_TRUE(QFile::link(elsewhere, s.Home("cam1")));
    Installer installer = s.Make();

    // The button, the menu's single install and the menu's copies per camera.
    installer.InstallClick();
    s.system.answers = {true};
    installer.InstallActionClick();
    s.system.devices = {"Cam A", "Cam B"};
    s.system.answers = {true, true};
    installer.InstallActionClick();
    ASSERT_EQ(s.messages.size(), 3);
    for (const QString& message : s.messages) {
        EXPECT_TRUE(message.startsWith("INSTALL FAILED.")) << message.toStdString();
        EXPECT_TRUE(message.contains("is a symbolic link to " + elsewhere)) << message.toStdString();
    }
    EXPECT_TRUE(s.messages[2].contains("cam1: "));
    EXPECT_FALSE(s.messages[2].contains("cam2: "));
    EXPECT_TRUE(untouched());
    EXPECT_FALSE(QFile::exists(s.Home("Desktop/TORVEK.desktop")));
    EXPECT_FALSE(QFile::exists(s.Home("Desktop/cam1.desktop")));
    EXPECT_TRUE(s.system.started.isEmpty());
    // The camera whose folder is a real one is still installed.
    EXPECT_EQ(TestSupport::ReadAll(s.Home("cam2/torcam2")), "payload");
}

// "run" from the installer of the station that runs from the installed copy: that folder is
// taken, so it says so instead of starting a copy that would be refused under this window.
TEST(Installer, RunOnTheFolderThisStationRunsFromSaysItIsRunning) {
    ScratchHome s;
    QDir().mkpath(s.Home("torvek"));
    TestSupport::WriteAll(s.Home("torvek/torvek"), "installed");
    Installer running(s.system, s.Home("torvek/"), s.Home("torvek/torvek"));
    running.FormActivate();
    running.RunItButtonClick();
    EXPECT_EQ(s.messages, QStringList({"TORVEK is already running from " + s.Home("torvek") + "."}));
    EXPECT_TRUE(s.system.started.isEmpty());

    // From the setup program's folder the copy starts.
    s.messages.clear();
    Installer setup = s.Make();
    setup.FormActivate();
    setup.RunItButtonClick();
    EXPECT_TRUE(s.messages.isEmpty());
    EXPECT_EQ(s.system.started, QStringList({s.Home("torvek/torvek")}));
}
