// The driver alias file and its list rows, on temporary folders.
#include "CaptureTestKit.h"

#include "capture/DriverAliasRegistry.h"
#include "core/SettingsStore.h"
#include "support/SmallDisk.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

namespace {

class Registry : public ::testing::Test {
protected:
    Registry()
        : store_(platform::ProgramFolder(folder_.path()), folder_.file("torvek"),
                 folder_.file("Desktop")),
          registry_(platform::ProgramFolder(folder_.path()), store_, choices_) {}

    QString AliasFile() const { return folder_.file("dX250307.dat"); }
    qint64 FileRecords() const { return QFileInfo(AliasFile()).size() / 312; }

    // The stored records as "name|alias|status".
    QStringList Stored() const {
        const QByteArray data = TestSupport::ReadAll(AliasFile());
        QStringList records;
        for (int at = 0; at + 312 <= data.size(); at += 312) {
            const DriverAliasRecord r = DriverAliasRecord::Decode(data.mid(at, 312));
            records << r.DriverName + "|" + r.DriverAlias + "|" + r.DriverStatus;
        }
        return records;
    }

    // Records from "name|alias|status" texts; `filler` stands for bytes no field defines.
    void WriteRecords(const QStringList& records, const QByteArray& tail = {}, char filler = 0) {
        QByteArray data;
        for (const QString& text : records) {
            const QStringList f = text.split('|');
            DriverAliasRecord record = DriverAliasRecord::Decode(QByteArray(312, filler));
            record.DriverName = f.value(0);
            record.DriverAlias = f.value(1);
            record.DriverStatus = f.value(2);
            data += record.Encode();
        }
        ASSERT_TRUE(TestSupport::WriteAll(AliasFile(), data + tail));
    }

    // The lists as the main window fills them.
    void Choose(const QStringList& devices, int cam1, int cam2) {
        choices_.Devices = devices;
        choices_.Index[0] = choices_.Default[0] = cam1;
        choices_.Index[1] = choices_.Default[1] = cam2;
    }

    TestSupport::TempProgramFolder folder_;
    SettingsStore store_;
    CameraChoiceState choices_;
    DriverAliasRegistry registry_;
    TestSupport::MessageLog messages_;
};

} // namespace

TEST_F(Registry, NoFileOrAnEmptyOneGivesANewRecordPerDevice) {
    ASSERT_TRUE(TestSupport::WriteAll(AliasFile(), {}));
    registry_.LoadDriverList(); // no devices: the empty file stays
    EXPECT_TRUE(registry_.Rows().isEmpty());
    EXPECT_EQ(registry_.SelectedRow(), -1);
    EXPECT_TRUE(QFile::exists(AliasFile()));

    // No file, an empty one, a partial record alone.
    QSignalSpy selected(&registry_, &DriverAliasRegistry::SelectedRowChanged);
    for (const QByteArray& old : {QByteArray(), QByteArray(""), QByteArray(100, 'q')}) {
        QFile::remove(AliasFile());
        if (!old.isNull()) {
            ASSERT_TRUE(TestSupport::WriteAll(AliasFile(), old));
        }
        choices_.Devices = {"USB Camera", "Cam B", "Cam B (2)"};
        registry_.LoadDriverList();
        EXPECT_EQ(Stored(), QStringList({"USB Camera|Cam 1|New Driver", "Cam B|Cam 2|New Driver",
                                         "Cam B (2)|Cam 3|New Driver"}));
        EXPECT_EQ(QFileInfo(AliasFile()).size(), 3 * 312);
        EXPECT_EQ(registry_.Rows().value(2), "Cam B (2)ZXZXZXCam 3WEWEWENew Driver");
        EXPECT_EQ(registry_.SelectedRow(), 0);
    }
    EXPECT_EQ(selected.count(), 3); // the page hears of every load
    const QByteArray bytes = TestSupport::ReadAll(AliasFile());
    EXPECT_EQ(bytes.mid(304, 8), QByteArray(8, '\0')); // reserved fields of a new record
}

TEST_F(Registry, RefreshMarksMissingDevicesAndAppendsNewOnes) {
    WriteRecords({"Cam A|Door|New Driver", "Gone cam|Yard|New Driver"},
                 QByteArray(40, '\x22')); // partial tail: kept aside, the whole records go on
    Choose({"Cam A", "Cam C"}, 0, 1);
    registry_.LoadDriverList();
    registry_.RefreshDriverStatus();
    EXPECT_EQ(registry_.Rows(), QStringList({"Cam AZXZXZXDoorWEWEWEConnected",
                                             "Gone camZXZXZXYardWEWEWENot Found",
                                             "Cam CZXZXZXCam 3WEWEWENew Driver Connected"}));
    // A new device is stored as connected; statuses of known drivers are shown, not stored.
    EXPECT_EQ(Stored(), QStringList({"Cam A|Door|New Driver", "Gone cam|Yard|New Driver",
                                     "Cam C|Cam 3|Connected"}));
    EXPECT_EQ(FileRecords() * 312, QFileInfo(AliasFile()).size());
    EXPECT_EQ(QFileInfo(AliasFile() + ".bad").size(), 2 * 312 + 40);
    // The aliases of the chosen cameras become their location names.
    EXPECT_EQ(choices_.Location[0], "Door");
    EXPECT_EQ(choices_.Location[1], "Cam 3");
    EXPECT_EQ(store_.Record().Cam1Name, "Door");
    EXPECT_EQ(store_.Record().Cam2Name, "Cam 3");

    registry_.RefreshDriverStatus(); // finds every device, appends nothing
    EXPECT_EQ(FileRecords(), 3);
    EXPECT_EQ(registry_.Rows()[2], "Cam CZXZXZXCam 3WEWEWEConnected");

    // A new device the full disk cannot take is not listed as stored.
    choices_.Devices << "Cam D";
    {
        capture_test::FullDisk disk(3 * 312);
        registry_.RefreshDriverStatus();
    }
    EXPECT_EQ(FileRecords(), 3);
    EXPECT_EQ(registry_.Rows().size(), 3);
    registry_.RefreshDriverStatus(); // with room again it is appended as new
    EXPECT_EQ(FileRecords(), 4);
    EXPECT_EQ(registry_.Rows().value(3), "Cam DZXZXZXCam 4WEWEWENew Driver Connected");
}

TEST_F(Registry, EachDeviceFindsItsOwnRecordWhateverItsName) {
    // A name inside another name; trailing blanks; longer than a record holds; outside
    // Windows-1252. None may take another's alias or gain a new record at each start.
    const QString longName = QString(110, 'L');
    const QString foreign = QString::fromUtf8("\u30ab\u30e1\u30e9");
    Choose({"USB Camera", "Camera", "Cam X  ", longName, foreign}, 1, 2);
    for (int start = 0; start < 3; ++start) {
        registry_.LoadDriverList();
        registry_.RefreshDriverStatus();
    }
    EXPECT_EQ(FileRecords(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(registry_.GetDriverAlias(choices_.Devices[i]), QString("Cam %1").arg(i + 1)) << i;
        EXPECT_EQ(registry_.FindDriverRecordByDevice(i), i + 1) << i;
    }
    EXPECT_EQ(registry_.Rows()[2], "Cam XZXZXZXCam 3WEWEWEConnected");
    EXPECT_EQ(registry_.GetDriverAlias("Camer"), "Camer"); // no record: the name itself
    EXPECT_EQ(store_.Record().Cam1Name, "Cam 2");
    EXPECT_EQ(store_.Record().Cam2Name, "Cam 3");
}

TEST_F(Registry, FindRecordByNameFirstThenByAlias) {
    WriteRecords({"Cam A|Door|Connected", "Cam B|Door|Connected", "Old|Cam Z|Connected",
                  "Older|Cam Z|Connected"});
    choices_.Devices = {"Cam A", "Cam B", "Cam Z"};
    EXPECT_EQ(registry_.FindDriverRecordByDevice(1), 2); // by name, even before the list loads
    registry_.LoadDriverList();
    // Cam Z has no record of its own: the last record carrying its alias (its name).
    for (const auto& [device, record] : QList<std::pair<int, int>>{{0, 1}, {1, 2}, {2, 4}, {3, -1}, {-1, -1}})
        EXPECT_EQ(registry_.FindDriverRecordByDevice(device), record) << device;
    QFile::remove(AliasFile());
    EXPECT_EQ(registry_.FindDriverRecordByDevice(0), -1);
}

TEST_F(Registry, UpdateAliasRewritesOneRecordAndKeepsItsOtherBytes) {
    WriteRecords({"Cam A|Cam 1|New Driver", "Cam B|Cam 2|New Driver"}, {}, '\x5a');
    const QByteArray before = TestSupport::ReadAll(AliasFile());
    Choose({"Cam A", "Cam B"}, 0, 1);
    registry_.LoadDriverList();
    registry_.SetDriverStatus(1, "Connected");

    registry_.UpdateDriverAlias("  Back yard ", 1);
    const QByteArray after = TestSupport::ReadAll(AliasFile());
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.left(312), before.left(312));
    EXPECT_EQ(after.mid(312 + 303), before.mid(312 + 303)); // a byte no field holds, reserved
    EXPECT_EQ(Stored().value(1), "Cam B|  Back yard |Connected");
    EXPECT_EQ(registry_.Rows()[1], "Cam BZXZXZXBack yardWEWEWEConnected");
    EXPECT_EQ(choices_.Text[1], "  Back yard ");
    EXPECT_EQ(store_.Record().Cam2Name, "  Back yard ");
    // Camera 1 uses another device: its name stays.
    EXPECT_EQ(choices_.Text[0], "");
    EXPECT_EQ(store_.Record().Cam1Name, "Cam 1");
}

TEST_F(Registry, BadIndexesAndFileErrorsChangeNothing) {
    Choose({"Cam A"}, 0, 0);
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

TEST_F(Registry, SettingsAreWrittenOnlyOnceTheRecordIsReady) {
    Choose({"Cam A"}, 0, 0);
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

TEST_F(Registry, DamagedFilesAreKeptAsideSaidOnceAndWhatCouldBeReadGoesOn) {
    // A partial record at the end: the whole records stay, the damaged file is kept.
    WriteRecords({"Cam A|Door|Connected", "Cam B|Yard|Connected"}, QByteArray(100, '\x07'));
    const QByteArray damaged = TestSupport::ReadAll(AliasFile());
    Choose({"Cam A", "Cam B", "Cam C"}, 0, 1);
    registry_.LoadDriverList();
    registry_.RefreshDriverStatus();
    registry_.LoadDriverList();
    EXPECT_EQ(TestSupport::ReadAll(AliasFile() + ".bad"), damaged);
    EXPECT_EQ(Stored(), QStringList({"Cam A|Door|Connected", "Cam B|Yard|Connected", "Cam C|Cam 3|Connected"}));
    EXPECT_EQ(QFileInfo(AliasFile()).size(), 3 * 312) << "the new record follows the whole ones";
    ASSERT_EQ(messages_.size(), 1) << messages_.join(" / ").toStdString();
    EXPECT_TRUE(messages_[0].contains("dX250307.dat.bad"));

    // Shorter than one record: kept, then built again from the devices.
    ASSERT_TRUE(TestSupport::WriteAll(AliasFile(), QByteArray(100, 'q')));
    DriverAliasRegistry second(platform::ProgramFolder(folder_.path()), store_, choices_);
    second.LoadDriverList();
    EXPECT_EQ(TestSupport::ReadAll(AliasFile() + ".bad"), QByteArray(100, 'q'));
    EXPECT_EQ(Stored(), QStringList({"Cam A|Cam 1|New Driver", "Cam B|Cam 2|New Driver", "Cam C|Cam 3|New Driver"}));
    ASSERT_EQ(messages_.size(), 2);

    // A folder in the file's place: said once, left alone, and nothing is written over it.
    ASSERT_TRUE(QFile::remove(AliasFile()));
    ASSERT_TRUE(QDir().mkpath(AliasFile()));
    DriverAliasRegistry third(platform::ProgramFolder(folder_.path()), store_, choices_);
    third.LoadDriverList();
    third.LoadDriverList();
    third.RefreshDriverStatus();
    EXPECT_TRUE(third.Rows().isEmpty());
    EXPECT_TRUE(QFileInfo(AliasFile()).isDir());
    EXPECT_EQ(third.FindDriverRecordByDevice(0), -1);
    DriverAliasRecord record;
    EXPECT_FALSE(third.ReadRecord(0, record));
    ASSERT_EQ(messages_.size(), 3);
    EXPECT_TRUE(messages_[2].contains("could not be read")) << messages_[2].toStdString();
}

// An append or an alias change on a full disk leaves the file byte for byte and is said once.
TEST_F(Registry, FullDiskKeepsTheOldFileAndSaysSoOnce) {
    TestSupport::SmallDisk disk(256);
    if (!disk.IsMounted())
        GTEST_SKIP() << disk.WhyNot().toStdString();
    SettingsStore store(platform::ProgramFolder(disk.path()), disk.file("torvek"), disk.file("Desktop"));
    DriverAliasRegistry registry(platform::ProgramFolder(disk.path()), store, choices_);
    Choose({"Cam A", "Cam B"}, 0, 1);
    registry.LoadDriverList();
    const QByteArray before = TestSupport::ReadAll(disk.file("dX250307.dat"));
    ASSERT_EQ(before.size(), 2 * 312);

    ASSERT_TRUE(disk.Fill());
    choices_.Devices << "Cam C";
    registry.RefreshDriverStatus();
    registry.UpdateDriverAlias("Porch", 0);
    registry.RefreshDriverStatus();
    EXPECT_EQ(TestSupport::ReadAll(disk.file("dX250307.dat")), before);
    EXPECT_EQ(registry.Rows().size(), 2) << "a device the disk could not take is not listed as stored";
    EXPECT_TRUE(registry.Rows()[0].contains("ZXZXZXCam 1WEWEWE"));
    ASSERT_EQ(messages_.size(), 1) << messages_.join(" / ").toStdString();
    EXPECT_TRUE(messages_[0].contains("could not be saved"));
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).filter(".part"), QStringList());

    disk.Unfill();
    registry.RefreshDriverStatus();
    EXPECT_EQ(registry.Rows().size(), 3);
    EXPECT_EQ(QFileInfo(disk.file("dX250307.dat")).size(), 3 * 312);
}

// A long driver history: every record gets its status from one pass, and the list hears of
// the change once, not once per record.
TEST_F(Registry, LargeFileRefreshesInOnePass) {
    QStringList records;
    for (int i = 0; i < 5000; ++i)
        records << QString("Old camera %1|Cam %2|Connected").arg(i).arg(i + 1);
    records << "Cam A|Front|Connected";
    WriteRecords(records);
    Choose({"Cam A", "Cam B"}, 0, 1);
    registry_.LoadDriverList();
    QSignalSpy changed(&registry_, &DriverAliasRegistry::RowsChanged);
    registry_.RefreshDriverStatus();
    EXPECT_EQ(changed.count(), 1);
    ASSERT_EQ(registry_.Rows().size(), 5002);
    EXPECT_EQ(registry_.Rows()[5001], "Cam BZXZXZXCam 5002WEWEWENew Driver Connected");
    EXPECT_EQ(FileRecords(), 5002);
    EXPECT_EQ(store_.Record().Cam1Name, "Front");
}
