// Auto-start survives a start-up that dies while its cameras start; only two in a row leave
// the cameras off, and the next start says so.
#include "MainWindowFixture.h"

#include "core/CameraStartGuard.h"

#include <QFile>

using TestSupport::ReadAll;
using TestSupport::WaitFor;
using TestSupport::WriteAll;

class StartupAfterAKillTest : public MainWindowFixture {
protected:
    QString Marker() const { return folder.file(CameraStartGuard::kMarkerName); }
    void StartWithAutoStart() {
        WriteSettings([](SettingsRecord& r) { r.AutoStart1 = r.AutoStart2 = true; });
        devices = 2;
        Start();
        ASSERT_TRUE(WaitFor([this] { return !mainWindow->startupSequenceTimer.Enabled(); }));
        WaitFor([] { return false; }, 300); // posted messages
    }
    // The cameras, the choice and the message after a start-up with a marker left behind.
    void ExpectStartUp(bool tripped) {
        EXPECT_EQ(camera1.previewing, !tripped);
        EXPECT_EQ(camera2.previewing, !tripped);
        EXPECT_EQ(FileRecord().AutoStart1, !tripped);
        EXPECT_EQ(FileRecord().AutoStart2, !tripped);
        EXPECT_EQ(mainWindow->AutoStart1->isChecked(), !tripped);
        EXPECT_EQ(messages, tripped ? QStringList{MainWindow::kCameraStartGuardText} : QStringList());
        EXPECT_FALSE(QFile::exists(Marker())); // the next start-up tries again
        mainWindow->ShutDown();
        EXPECT_EQ(FileRecord().AutoStart1, !tripped); // the shutdown keeps what was decided
    }
};

TEST_F(StartupAfterAKillTest, WhileTheCamerasStartTheFilesSayAutoStartAndCountThisStartUp) {
    // What a kill at the moment each camera connects would leave on the disk.
    QList<SettingsRecord> fileAtConnect;
    QList<QByteArray> markerAtConnect;
    for (FakeCamera* camera : {&camera1, &camera2})
        camera->onConnect = [&](bool on) {
            if (!on)
                return;
            fileAtConnect << FileRecord();
            markerAtConnect << ReadAll(Marker());
        };
    StartWithAutoStart();
    ASSERT_EQ(fileAtConnect.size(), 2);
    for (const SettingsRecord& r : fileAtConnect)
        EXPECT_TRUE(r.AutoStart1 && r.AutoStart2);
    EXPECT_EQ(markerAtConnect, (QList<QByteArray>{"1", "1"}));
    // Started: nothing is left to count, and the choice stays.
    EXPECT_FALSE(QFile::exists(Marker()));
    EXPECT_TRUE(camera1.previewing && camera2.previewing);
    EXPECT_TRUE(FileRecord().AutoStart1 && FileRecord().AutoStart2);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(StartupAfterAKillTest, OneDeadStartUpChangesNothing) {
    ASSERT_TRUE(WriteAll(Marker(), "1"));
    StartWithAutoStart();
    ExpectStartUp(false);
}

TEST_F(StartupAfterAKillTest, TwoInARowLeaveTheCamerasOffAndSaySo) {
    ASSERT_TRUE(WriteAll(Marker(), "2"));
    StartWithAutoStart();
    ExpectStartUp(true);
}
