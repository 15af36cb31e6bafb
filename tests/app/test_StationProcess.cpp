// The built station, copied into an empty folder and run there as its own process.
#include "StationProcessRun.h"

#include <QtEndian>
#include <gtest/gtest.h>

using TestSupport::ReadAll;
using TestSupport::WaitFor;
using TestSupport::WriteAll;
using namespace StationProcessRun;

namespace {

constexpr int kRecord = 2704;

// The offsets of the record whose bytes differ between two settings files.
QStringList ChangedOffsets(const QByteArray& before, const QByteArray& after) {
    QStringList changed;
    for (int i = 0; i < qMin(before.size(), after.size()); ++i) {
        if (before.at(i) != after.at(i))
            changed << QString::number(i - kRecord);
    }
    return changed;
}

qint16 Small(const QByteArray& file, int offset) {
    return qFromLittleEndian<qint16>(file.constData() + kRecord + offset);
}

QByteArray Text(const QByteArray& file, int offset) {
    return file.mid(kRecord + offset + 1, static_cast<unsigned char>(file.at(kRecord + offset)));
}

void PutText(QByteArray& file, int offset, const QByteArray& text) {
    file[kRecord + offset] = static_cast<char>(text.size());
    file.replace(kRecord + offset + 1, text.size(), text);
}

} // namespace

TEST(StationProcess, CopiedStationLaysDownItsFilesAndKeepsThemAcrossStarts) {
    TestSupport::TempProgramFolder folder;
    const QString exe = CopyStation(folder);
    ASSERT_FALSE(exe.isEmpty()) << BuiltStation().toStdString();

    const QString ready = QStringLiteral("The station is ready");
    ASSERT_EQ(RunAndTerminate(exe, {}, ready).failure, QString());
    EXPECT_TRUE(QFileInfo(folder.file("cam1")).isDir());
    EXPECT_TRUE(QFileInfo(folder.file("cam2")).isDir());
    EXPECT_EQ(ReadAll(folder.file("ETR0511.dat")).size(), 2456);
    QByteArray file = ReadAll(folder.file("X290607.dat"));
    ASSERT_EQ(file.size(), 5408);
    EXPECT_EQ(file.left(kRecord), QByteArray(kRecord, '\0'));
    // Zone1Left, Zone1Size, Sensitivity1, BufferSize1, FtpMaxImages, TimeLapseStop1, SampleRateMs,
    // AlertPeriodMinutes, AlertMaxImages, ColorThreshold.
    const std::pair<int, qint16> smallints[] = {{0, 100},     {8, 30},     {12, 3000}, {16, 10},   {1968, 20},
                                                {2160, 144},  {2196, 400}, {2198, 10}, {2200, 5}, {2692, 3}};
    for (const auto& [offset, value] : smallints)
        EXPECT_EQ(Small(file, offset), value) << offset;
    EXPECT_EQ(Text(file, 59), (folder.path() + "cam1/").toLocal8Bit());
    EXPECT_EQ(Text(file, 341), (folder.path() + "cam2/").toLocal8Bit());
    EXPECT_EQ(Text(file, 597), "Cam 1");
    EXPECT_EQ(Text(file, 698), "Cam 2");
    EXPECT_EQ(Text(file, 1653), "netcam1");
    EXPECT_EQ(file.at(kRecord + 1966), 1); // FtpSaveSettings
    EXPECT_EQ(file.mid(kRecord + 2068, 4), QByteArray("\0\0\0\1", 4));
    EXPECT_EQ(file.at(kRecord + 2189), 1); // HotZone1
    EXPECT_EQ(qFromLittleEndian<qint32>(file.constData() + kRecord + 2204), 10); // EmailLimit
    EXPECT_EQ(file.mid(kRecord + 2688, 3), QByteArray("\1\1\1", 3)); // ScanRed/Green/Blue
    EXPECT_EQ(file.at(kRecord + 2694), 1); // DiskControl

    // The user's own values, then a second start.
    file[kRecord + 804] = 1; // AutoStart1
    qToLittleEndian<qint16>(650, file.data() + kRecord + 2196);
    qToLittleEndian<qint16>(4, file.data() + kRecord + 2466); // AlertFormat
    qToLittleEndian<qint16>(2, file.data() + kRecord + 2468); // SetupTabIndex
    qToLittleEndian<qint16>(77, file.data() + kRecord + 4);   // Zone1Top
    PutText(file, 1397, "ftp.example.org");
    PutText(file, 1371, "bob");
    PutText(file, 1241, "Barn door");
    file[kRecord + 2202] = 0x5a; // a reserved byte
    ASSERT_TRUE(WriteAll(folder.file("X290607.dat"), file));
    ASSERT_EQ(RunAndTerminate(exe, {}, ready).failure, QString());
    const QByteArray kept = ReadAll(folder.file("X290607.dat"));
    ASSERT_EQ(kept.size(), file.size());
    EXPECT_TRUE(ChangedOffsets(file, kept).isEmpty()) << ChangedOffsets(file, kept).join(", ").toStdString();

    // A third start with a camera: the start-up sequence switches it on, and the record
    // changes only where the camera now found is named.
    ASSERT_EQ(RunAndTerminate(exe, {}, QStringLiteral("The start-up sequence has run: camera 1 on"),
                              {"TORVEK_TEST_CAMERAS=1"})
                  .failure,
              QString());
    const QByteArray third = ReadAll(folder.file("X290607.dat"));
    ASSERT_EQ(third.size(), file.size());
    // Both lists show the one device: both cameras are named after it (its alias).
    EXPECT_EQ(Text(third, 597), "Cam 1");
    EXPECT_EQ(Text(third, 698), "Cam 1");
    QStringList changed = ChangedOffsets(kept, third);
    changed.removeAll(QStringLiteral("703")); // Cam2Name's last letter
    EXPECT_TRUE(changed.isEmpty()) << changed.join(", ").toStdString();
}

TEST(StationProcess, SigtermWhileADamagedFileIsReportedEndsTheStation) {
    TestSupport::TempProgramFolder folder;
    const QString exe = CopyStation(folder);
    ASSERT_FALSE(exe.isEmpty()) << BuiltStation().toStdString();
    ASSERT_TRUE(WriteAll(folder.file("X290607.dat"), QByteArray()));
    // The report is on screen once the damaged file has been set aside.
    const auto boxOpen = [&] {
        ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(folder.file("X290607.dat.bad")); }, 20000));
        WaitFor([] { return false; }, 500);
    };
    EXPECT_EQ(RunAndTerminate(exe, {}, QString(), {}, 5000, boxOpen).failure, QString());
    EXPECT_EQ(ReadAll(folder.file("X290607.dat.bad")), QByteArray());
    const QByteArray written = ReadAll(folder.file("X290607.dat"));
    ASSERT_EQ(written.size(), 5408);
    EXPECT_EQ(Small(written, 2196), 400); // SampleRateMs: the defaults
}

TEST(StationProcess, SigtermDuringTheSplashEndsAtOnceWritingNothing) {
    TestSupport::TempProgramFolder folder;
    const QString exe = CopyStation(folder);
    ASSERT_FALSE(exe.isEmpty()) << BuiltStation().toStdString();
    EXPECT_EQ(RunAndTerminate(exe, {}, QString(), {}, 1500).failure, QString());
    EXPECT_FALSE(QFileInfo::exists(folder.file("X290607.dat")));
}
