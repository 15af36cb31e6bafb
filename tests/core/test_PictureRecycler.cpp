#include "core/PictureRecycler.h"

#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using TestSupport::TempProgramFolder;
using TestSupport::WriteAll;

namespace {

QStringList FilesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

DiskSpaceProbe FixedDisk(qint64 freeBytes, qint64 totalBytes) {
    return [=](const QString&) { return std::optional<DiskBytes>(DiskBytes{freeBytes, totalBytes}); };
}

} // namespace

TEST(PictureRecycler, DeletesTheLowestNumberWithItsNoteNeverTheKeptOrLastOne) {
    TempProgramFolder dir;
    const QString cam = dir.path();
    // Directory order and text order both disagree with the numbers.
    for (const char* base : {"000010PC", "000002PC", "000100PC", "Image000001"}) {
        ASSERT_TRUE(WriteAll(cam + base + ".jpg", "j"));
        ASSERT_TRUE(WriteAll(cam + base + ".txt", "n"));
    }
    ASSERT_TRUE(WriteAll(cam + "holiday.JPG", "j"));
    bool logShown = false;
    PictureRecycler recycler([&](int) { return cam; }, {}, FixedDisk(0, 0));
    recycler.SetLogWindowVisibleHook([&] { return logShown; });

    // The just-saved picture carries the lowest number (the counter restarted): it stays.
    EXPECT_TRUE(recycler.DeleteOldestPicture(1, "Image000001.jpg"));
    EXPECT_FALSE(QFileInfo::exists(cam + "000002PC.jpg") || QFileInfo::exists(cam + "000002PC.txt"));
    logShown = true;
    EXPECT_FALSE(recycler.DeleteOldestPicture(1));
    logShown = false;
    EXPECT_TRUE(recycler.DeleteOldestPicture(1));
    EXPECT_FALSE(QFileInfo::exists(cam + "Image000001.jpg"));
    // Files of other programs go only after every numbered picture; the last one never.
    EXPECT_TRUE(recycler.DeleteOldestPicture(1, "holiday.JPG"));
    EXPECT_TRUE(recycler.DeleteOldestPicture(1, "holiday.JPG"));
    EXPECT_EQ(FilesIn(cam), QStringList({"holiday.JPG"}));
    EXPECT_FALSE(recycler.DeleteOldestPicture(1));
    EXPECT_EQ(FilesIn(cam), QStringList({"holiday.JPG"}));
}

TEST(PictureRecycler, DiskFiguresInRoundedMegabytes) {
    QString folder;
    int made = 0;
    PictureRecycler recycler([&](int camera) { return camera == 1 ? folder : QString("/x"); },
                             [&] { ++made, folder = "/made/"; },
                             FixedDisk(5 * 1048576 + 524288, 10 * 1048576 + 524289));
    // 5.5 MB rounds to the even 6; 10.5 MB and a byte rounds up.
    EXPECT_EQ(recycler.GetFreeDiskMB(2), 6);
    const auto mb = recycler.GetDiskSpaceMB(1); // no folder: the camera folders are made first
    ASSERT_TRUE(mb.has_value());
    EXPECT_EQ(made, 1);
    EXPECT_EQ(mb->totalMB, 11);
    EXPECT_EQ(mb->usedMB, 5);

    recycler.SetDiskSpaceProbe([](const QString&) { return std::optional<DiskBytes>(); });
    EXPECT_EQ(recycler.GetFreeDiskMB(1), -1);
    EXPECT_FALSE(recycler.GetDiskSpaceMB(1).has_value());
}
