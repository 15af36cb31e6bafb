// The driver alias file and its list rows, on temporary folders.
#include "CaptureTestKit.h"

#include "capture/DriverAliasRegistry.h"
#include "core/SettingsStore.h"

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

    void WriteRecords(const QStringList& records, const QByteArray& tail = {}) {
        QByteArray data;
        for (const QString& text : records) {
            const QStringList f = text.split('|');
            DriverAliasRecord record;
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
                 QByteArray(40, '\x22')); // partial tail: overwritten by the append
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
    WriteRecords({"Cam A|Cam 1|New Driver"});
    DriverAliasRecord second;
    second.Raw = QByteArray(312, '\x5a');
    second.DriverName = "Cam B";
    second.DriverAlias = "Cam 2";
    second.Reserved1 = 77;
    QFile file(AliasFile());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(second.Encode());
    file.close();
    const QByteArray before = TestSupport::ReadAll(AliasFile());
    Choose({"Cam A", "Cam B"}, 0, 1);
    registry_.LoadDriverList();
    registry_.SetDriverStatus(1, "Connected");

    registry_.UpdateDriverAlias("  Back yard ", 1);
    const QByteArray after = TestSupport::ReadAll(AliasFile());
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.left(312), before.left(312));
    EXPECT_EQ(Stored().value(1), "Cam B|  Back yard |Connected");
    EXPECT_EQ(DriverAliasRecord::Decode(after.mid(312)).Reserved1, 77);
    EXPECT_EQ(after[312 + 303], '\x5a');
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

    // A folder where the file should be.
    ASSERT_TRUE(QDir().mkpath(AliasFile()));
    registry_.LoadDriverList();
    EXPECT_TRUE(registry_.Rows().isEmpty());
    EXPECT_TRUE(QFileInfo(AliasFile()).isDir());
    EXPECT_EQ(registry_.FindDriverRecordByDevice(0), -1);
    DriverAliasRecord record;
    EXPECT_FALSE(registry_.ReadRecord(0, record));
}

TEST_F(Registry, ResetRebuildsFromTheCameraList) {
    WriteRecords({"Cam A|Door|Connected", "Gone|Yard|Not Found"});
    choices_.Devices = {"Cam B", "Cam A"};
    registry_.LoadDriverList();
    registry_.ResetDriverList();
    EXPECT_EQ(Stored(), QStringList({"Cam B|Cam 1|New Driver", "Cam A|Cam 2|New Driver"}));
    EXPECT_EQ(registry_.Rows().size(), 2);
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
