#include "core/PictureRecycler.h"

#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using TestSupport::TempProgramFolder;
using TestSupport::WriteAll;

namespace {

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

DiskSpaceProbe FixedDisk(qint64 freeBytes, qint64 totalBytes) {
    return [=](const QString&) { return std::optional<DiskBytes>(DiskBytes{freeBytes, totalBytes}); };
}

} // namespace

TEST(PictureRecycler, DeletesTheLowestNumberWithItsNoteNeverTheKeptOne) {
    TempProgramFolder dir;
    const QString cam = dir.path();
    // Names whose directory order and text order disagree with their numbers.
    for (const char* base : {"000010PC", "000002PC", "000100PC", "Image000001"}) {
        ASSERT_TRUE(WriteAll(cam + QString(base) + ".jpg", "j"));
        ASSERT_TRUE(WriteAll(cam + QString(base) + ".txt", "n"));
    }
    ASSERT_TRUE(WriteAll(cam + "holiday.JPG", "j"));
    PictureRecycler recycler([&](int) { return cam; }, {}, FixedDisk(0, 0));

    // The just-saved picture carries the lowest number (counter restarted): it stays.
    EXPECT_TRUE(recycler.DeleteOldestPicture(1, "Image000001.jpg"));
    EXPECT_FALSE(QFileInfo::exists(cam + "000002PC.jpg"));
    EXPECT_FALSE(QFileInfo::exists(cam + "000002PC.txt"));
    EXPECT_TRUE(QFileInfo::exists(cam + "Image000001.jpg"));

    EXPECT_TRUE(recycler.DeleteOldestPicture(1));
    EXPECT_FALSE(QFileInfo::exists(cam + "Image000001.jpg"));
    EXPECT_TRUE(recycler.DeleteOldestPicture(1));
    EXPECT_FALSE(QFileInfo::exists(cam + "000010PC.jpg"));
    // Files of other programs go only after every numbered picture.
    EXPECT_TRUE(recycler.DeleteOldestPicture(1, "holiday.JPG"));
    EXPECT_EQ(FilesIn(cam), QStringList({"holiday.JPG"}));
    // The last remaining picture is never recycled.
    EXPECT_FALSE(recycler.DeleteOldestPicture(1));
    EXPECT_EQ(FilesIn(cam), QStringList({"holiday.JPG"}));
}

TEST(PictureRecycler, NothingWhileTheLogWindowShowsOrWithoutAFolder) {
    TempProgramFolder dir;
    const QString cam = dir.path();
    ASSERT_TRUE(WriteAll(cam + "000001PC.jpg", "j"));
    ASSERT_TRUE(WriteAll(cam + "000002PC.jpg", "j"));
    QString folder = cam;
    bool logShown = true;
    PictureRecycler recycler([&](int) { return folder; }, {}, FixedDisk(0, 0));
    recycler.SetLogWindowVisibleHook([&] { return logShown; });

    EXPECT_FALSE(recycler.DeleteOldestPicture(1));
    EXPECT_EQ(FilesIn(cam).size(), 2);
    logShown = false;
    folder.clear();
    EXPECT_FALSE(recycler.DeleteOldestPicture(1));
    folder = cam;
    EXPECT_TRUE(recycler.DeleteOldestPicture(1));
    EXPECT_EQ(FilesIn(cam), QStringList({"000002PC.jpg"}));
}

TEST(PictureRecycler, DiskFiguresInRoundedMegabytes) {
    QString folder;
    int made = 0;
    PictureRecycler recycler([&](int camera) { return camera == 1 ? folder : QString("/x"); },
                             [&] { ++made, folder = "/made/"; },
                             FixedDisk(5 * 1048576 + 524288, 10 * 1048576 + 524289));
    // 5.5 MB rounds to the even 6; 10.5 MB and a byte rounds up.
    EXPECT_EQ(recycler.GetFreeDiskMB(2), 6);
    const auto mb = recycler.GetDiskSpaceMB(1);
    ASSERT_TRUE(mb.has_value());
    EXPECT_EQ(made, 1);
    EXPECT_EQ(mb->freeMB, 6);
    EXPECT_EQ(mb->totalMB, 11);
    EXPECT_EQ(mb->usedMB, 5);

    recycler.SetDiskSpaceProbe([](const QString&) { return std::optional<DiskBytes>(); });
    EXPECT_EQ(recycler.GetFreeDiskMB(1), -1);
    EXPECT_FALSE(recycler.GetDiskSpaceMB(1).has_value());
}

TEST(PictureRecycler, RealProbeReadsAFolderNotYetMade) {
    TempProgramFolder dir;
    const auto probe = SystemDiskSpaceProbe();
    const auto bytes = probe(dir.path() + "not/yet/");
    ASSERT_TRUE(bytes.has_value());
    EXPECT_GT(bytes->totalBytes, 0);
    EXPECT_FALSE(probe("").has_value());
}
