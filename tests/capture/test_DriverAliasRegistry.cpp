#include "capture/DriverAliasRegistry.h"
#include "core/SettingsStore.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

class Registry : public ::testing::Test {
protected:
    Registry()
        : store_(platform::ProgramFolder(folder_.path()), folder_.file("torvek"),
                 folder_.file("Desktop")),
          registry_(platform::ProgramFolder(folder_.path()), store_, choices_) {}

    QString AliasFile() const { return folder_.file("dX250307.dat"); }

    QList<DriverAliasRecord> Records() const {
        QByteArray data = TestSupport::ReadAll(AliasFile());
        QList<DriverAliasRecord> records;
        for (int at = 0; at + 312 <= data.size(); at += 312)
            records << DriverAliasRecord::Decode(data.mid(at, 312));
        return records;
    }

    void WriteRecords(const QList<DriverAliasRecord>& records, const QByteArray& tail = {}) {
        QByteArray data;
        for (const DriverAliasRecord& record : records)
            data += record.Encode();
        ASSERT_TRUE(TestSupport::WriteAll(AliasFile(), data + tail));
    }

    static DriverAliasRecord Rec(const QString& name, const QString& alias, const QString& status) {
        DriverAliasRecord record;
        record.DriverName = name;
        record.DriverAlias = alias;
        record.DriverStatus = status;
        return record;
    }

    // The lists as the main window fills them: camera 1 on device 0, camera 2 on device 1.
    void Choose(int cam1, int cam2) {
        choices_.Index[0] = choices_.Default[0] = cam1;
        choices_.Index[1] = choices_.Default[1] = cam2;
    }

    TestSupport::TempProgramFolder folder_;
    SettingsStore store_;
    CameraChoiceState choices_;
    DriverAliasRegistry registry_;
};

} // namespace

TEST_F(Registry, NoFileAndThreeDevicesGiveThreeNewRecords) {
    choices_.Devices = {"USB Camera", "Cam B", "Cam B (2)"};
    QSignalSpy selected(&registry_, &DriverAliasRegistry::SelectedRowChanged);
    registry_.LoadDriverList();

    ASSERT_EQ(QFile(AliasFile()).size(), 3 * 312);
    const auto records = Records();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(records[i].DriverName, choices_.Devices[i]);
        EXPECT_EQ(records[i].DriverAlias, QString("Cam %1").arg(i + 1));
        EXPECT_EQ(records[i].DriverStatus, "New Driver");
        EXPECT_EQ(records[i].Reserved1, 0);
        EXPECT_EQ(records[i].Reserved2, 0);
    }
    EXPECT_EQ(registry_.Rows(),
              QStringList({"USB CameraZXZXZXCam 1WEWEWENew Driver", "Cam BZXZXZXCam 2WEWEWENew Driver",
                           "Cam B (2)ZXZXZXCam 3WEWEWENew Driver"}));
    EXPECT_EQ(registry_.SelectedRow(), 0);
    EXPECT_EQ(selected.count(), 1);
}

TEST_F(Registry, EmptyFileIsRebuiltOnceAndOnlyWithDevices) {
    ASSERT_TRUE(TestSupport::WriteAll(AliasFile(), {}));
    registry_.LoadDriverList(); // no devices: the empty file stays
    EXPECT_TRUE(registry_.Rows().isEmpty());
    EXPECT_EQ(registry_.SelectedRow(), -1);
    EXPECT_TRUE(QFile::exists(AliasFile()));

    // A partial record alone counts as no record.
    ASSERT_TRUE(TestSupport::WriteAll(AliasFile(), QByteArray(100, 'q')));
    choices_.Devices = {"Cam A", "Cam B"};
    registry_.LoadDriverList();
    EXPECT_EQ(registry_.Rows().size(), 2);
    EXPECT_EQ(QFile(AliasFile()).size(), 2 * 312);
    EXPECT_EQ(Records()[1].DriverAlias, "Cam 2");
}

TEST_F(Registry, RefreshMarksMissingDevicesAndAppendsNewOnes) {
    WriteRecords({Rec("Cam A", "Door", "New Driver"), Rec("Gone cam", "Yard", "New Driver")},
                 QByteArray(40, '\x22')); // partial tail: overwritten by the append
    choices_.Devices = {"Cam A", "Cam C"};
    Choose(0, 1);
    registry_.LoadDriverList();
    EXPECT_EQ(registry_.Rows()[1], "Gone camZXZXZXYardWEWEWENew Driver");
    registry_.RefreshDriverStatus();

    EXPECT_EQ(registry_.Rows(), QStringList({"Cam AZXZXZXDoorWEWEWEConnected",
                                             "Gone camZXZXZXYardWEWEWENot Found",
                                             "Cam CZXZXZXCam 3WEWEWENew Driver Connected"}));
    ASSERT_EQ(QFile(AliasFile()).size(), 3 * 312);
    const auto records = Records();
    EXPECT_EQ(records[2].DriverName, "Cam C");
    EXPECT_EQ(records[2].DriverAlias, "Cam 3");
    EXPECT_EQ(records[2].DriverStatus, "Connected");
    // Statuses of known drivers are shown, not stored.
    EXPECT_EQ(records[0].DriverStatus, "New Driver");

    // The aliases of the chosen cameras become their location names.
    EXPECT_EQ(choices_.Location[0], "Door");
    EXPECT_EQ(choices_.Location[1], "Cam 3");
    EXPECT_EQ(store_.Record().Cam1Name, "Door");
    EXPECT_EQ(store_.Record().Cam2Name, "Cam 3");

    // A second refresh finds every device and appends nothing.
    registry_.RefreshDriverStatus();
    EXPECT_EQ(QFile(AliasFile()).size(), 3 * 312);
    EXPECT_EQ(registry_.Rows()[2], "Cam CZXZXZXCam 3WEWEWEConnected");
}

TEST_F(Registry, ANewDeviceTheFullDiskCannotTakeIsNotListedAsStored) {
    WriteRecords({Rec("Cam A", "Door", "New Driver")});
    choices_.Devices = {"Cam A", "Cam C"};
    registry_.LoadDriverList();

    // The file cannot grow: the append fails when its bytes reach the disk.
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit limit = oldLimit;
    limit.rlim_cur = 312;
    setrlimit(RLIMIT_FSIZE, &limit);
    registry_.RefreshDriverStatus();
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_EQ(QFile(AliasFile()).size(), 312);
    EXPECT_EQ(registry_.Rows(), QStringList{"Cam AZXZXZXDoorWEWEWEConnected"});

    // With room again the device is appended as new.
    registry_.RefreshDriverStatus();
    EXPECT_EQ(QFile(AliasFile()).size(), 2 * 312);
    EXPECT_EQ(registry_.Rows().value(1), "Cam CZXZXZXCam 2WEWEWENew Driver Connected");
}

TEST_F(Registry, NameContainedInAnotherNameFindsItsOwnRow) {
    choices_.Devices = {"USB Camera", "Camera"};
    Choose(1, 0);
    registry_.LoadDriverList();
    EXPECT_EQ(registry_.GetDriverAlias("Camera"), "Cam 2");
    EXPECT_EQ(registry_.GetDriverAlias("USB Camera"), "Cam 1");
    EXPECT_EQ(registry_.GetDriverAlias("Camer"), "Camer");
    EXPECT_EQ(registry_.FindDriverRecordByDevice(1), 2);

    registry_.RefreshDriverStatus();
    EXPECT_EQ(store_.Record().Cam1Name, "Cam 2");
    EXPECT_EQ(store_.Record().Cam2Name, "Cam 1");
}

TEST_F(Registry, TrailingBlanksMatchTheirOwnRecordAtEveryStart) {
    choices_.Devices = {"Cam X  ", "Cam Y"};
    Choose(0, 1);
    for (int start = 0; start < 3; ++start) {
        registry_.LoadDriverList();
        registry_.RefreshDriverStatus();
    }
    EXPECT_EQ(QFile(AliasFile()).size(), 2 * 312);
    EXPECT_EQ(registry_.Rows()[0], "Cam XZXZXZXCam 1WEWEWEConnected");
    EXPECT_EQ(registry_.GetDriverAlias("Cam X  "), "Cam 1");
    EXPECT_EQ(registry_.FindDriverRecordByDevice(0), 1);
    EXPECT_EQ(store_.Record().Cam1Name, "Cam 1");
}

TEST_F(Registry, LongAndForeignNamesMatchAfterTheRoundTrip) {
    const QString longName = QString(110, 'L');
    const QString foreign = QString::fromUtf8("\u30ab\u30e1\u30e9");
    choices_.Devices = {longName, foreign};
    Choose(0, 1);
    for (int start = 0; start < 2; ++start) {
        registry_.LoadDriverList();
        registry_.RefreshDriverStatus();
    }
    EXPECT_EQ(QFile(AliasFile()).size(), 2 * 312);
    EXPECT_EQ(registry_.GetDriverAlias(foreign), "Cam 2");
    EXPECT_EQ(registry_.FindDriverRecordByDevice(0), 1);
}

TEST_F(Registry, FindRecordByNameFirstThenByAlias) {
    WriteRecords({Rec("Cam A", "Door", "Connected"), Rec("Cam B", "Door", "Connected"),
                  Rec("Old", "Cam Z", "Connected"), Rec("Older", "Cam Z", "Connected")});
    choices_.Devices = {"Cam A", "Cam B", "Cam Z"};
    EXPECT_EQ(registry_.FindDriverRecordByDevice(1), 2); // by name, even before the list is loaded
    registry_.LoadDriverList();
    EXPECT_EQ(registry_.FindDriverRecordByDevice(0), 1);
    EXPECT_EQ(registry_.FindDriverRecordByDevice(1), 2);
    // No record of its own: the last record carrying its alias (its name, having no row).
    EXPECT_EQ(registry_.FindDriverRecordByDevice(2), 4);
    EXPECT_EQ(registry_.FindDriverRecordByDevice(3), -1);
    EXPECT_EQ(registry_.FindDriverRecordByDevice(-1), -1);

    QFile::remove(AliasFile());
    EXPECT_EQ(registry_.FindDriverRecordByDevice(0), -1);
    choices_.Devices.clear();
    EXPECT_EQ(registry_.FindDriverRecordByDevice(0), -1);
}

TEST_F(Registry, UpdateAliasRewritesOneRecordAndKeepsItsOtherBytes) {
    DriverAliasRecord second = Rec("Cam B", "Cam 2", "New Driver");
    second.Raw = QByteArray(312, '\x5a');
    second.Reserved1 = 77;
    WriteRecords({Rec("Cam A", "Cam 1", "New Driver"), second});
    const QByteArray before = TestSupport::ReadAll(AliasFile());
    choices_.Devices = {"Cam A", "Cam B"};
    Choose(0, 1);
    registry_.LoadDriverList();
    registry_.SetDriverStatus(1, "Connected");

    registry_.UpdateDriverAlias("  Back yard ", 1);
    const QByteArray after = TestSupport::ReadAll(AliasFile());
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.left(312), before.left(312));
    DriverAliasRecord record = Records()[1];
    EXPECT_EQ(record.DriverAlias, "  Back yard ");
    EXPECT_EQ(record.DriverStatus, "Connected");
    EXPECT_EQ(record.Reserved1, 77);
    EXPECT_EQ(after[312 + 303], '\x5a');
    EXPECT_EQ(registry_.Rows()[1], "Cam BZXZXZXBack yardWEWEWEConnected");
    EXPECT_EQ(choices_.Text[1], "  Back yard ");
    EXPECT_EQ(store_.Record().Cam2Name, "  Back yard ");
    // Camera 1 uses another device: its name stays.
    EXPECT_EQ(choices_.Text[0], "");
    EXPECT_EQ(store_.Record().Cam1Name, "Cam 1");
}

TEST_F(Registry, OutOfRangeAndMissingFileChangeNothing) {
    choices_.Devices = {"Cam A"};
    Choose(0, 0);
    registry_.LoadDriverList();
    const QByteArray before = TestSupport::ReadAll(AliasFile());
    const QStringList rows = registry_.Rows();

    registry_.UpdateDriverAlias("x", 1);
    registry_.UpdateDriverAlias("x", -1);
    registry_.SaveDriverAlias("x", -1);
    registry_.SetDriverStatus(3, "x");
    registry_.SetDriverStatus(-1, "x");
    EXPECT_EQ(TestSupport::ReadAll(AliasFile()), before);
    EXPECT_EQ(registry_.Rows(), rows);
    EXPECT_EQ(store_.Record().Cam1Name, "Cam 1");

    // The file went away under a loaded list: updates and refreshes end quietly.
    QFile::remove(AliasFile());
    registry_.UpdateDriverAlias("x", 0);
    choices_.Devices << "Cam B";
    registry_.RefreshDriverStatus();
    EXPECT_FALSE(QFile::exists(AliasFile()));
    EXPECT_EQ(registry_.Rows(), rows);
}

TEST_F(Registry, UnreadableFileIsLeftAlone) {
    ASSERT_TRUE(QDir().mkpath(AliasFile())); // a folder where the file should be
    choices_.Devices = {"Cam A"};
    registry_.LoadDriverList();
    EXPECT_TRUE(registry_.Rows().isEmpty());
    EXPECT_TRUE(QFileInfo(AliasFile()).isDir());
    EXPECT_EQ(registry_.FindDriverRecordByDevice(0), -1);
    DriverAliasRecord record;
    EXPECT_FALSE(registry_.ReadRecord(0, record));
}

TEST_F(Registry, ResetRebuildsFromTheCameraList) {
    WriteRecords({Rec("Cam A", "Door", "Connected"), Rec("Gone", "Yard", "Not Found")});
    choices_.Devices = {"Cam B", "Cam A"};
    registry_.LoadDriverList();
    registry_.ResetDriverList();
    EXPECT_EQ(registry_.Rows(), QStringList({"Cam BZXZXZXCam 1WEWEWENew Driver",
                                             "Cam AZXZXZXCam 2WEWEWENew Driver"}));
    DriverAliasRecord record;
    ASSERT_TRUE(registry_.ReadRecord(1, record));
    EXPECT_EQ(record.DriverName, "Cam A");
    EXPECT_FALSE(registry_.ReadRecord(2, record));
}

TEST_F(Registry, SettingsAreWrittenOnlyOnceTheRecordIsReady) {
    choices_.Devices = {"Cam A"};
    Choose(0, 0);
    registry_.LoadDriverList();
    registry_.RefreshDriverStatus();
    registry_.SaveDriverAlias("Door", 0);
    EXPECT_FALSE(QFile::exists(store_.SettingsFilePath()));

    ASSERT_TRUE(store_.SetDefaultSettings());
    QFile::remove(store_.SettingsFilePath());
    registry_.SaveDriverAlias("Porch", 0);
    EXPECT_TRUE(QFile::exists(store_.SettingsFilePath()));
    QFile::remove(store_.SettingsFilePath());
    registry_.RefreshDriverStatus();
    EXPECT_TRUE(QFile::exists(store_.SettingsFilePath()));
    EXPECT_EQ(store_.Record().Cam1Name, "Porch");
}
