#include "platform/RecordFile.h"
#include "platform/WholeFile.h"

#include "support/SmallDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>
#include <unistd.h>

using TestSupport::ReadAll;
using TestSupport::SmallDisk;
using TestSupport::TempProgramFolder;
using TestSupport::WriteAll;

namespace {

QStringList NamesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QByteArray Pattern(int size, char seed) {
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = char(seed + i % 251);
    return data;
}

} // namespace

TEST(WholeFile, ReplacesOrFailsLeavingNoTemporaryAndNoHalfFile) {
    TempProgramFolder dir;
    ASSERT_TRUE(platform::WriteWholeFile(dir.file("a.jpg"), "first"));
    ASSERT_TRUE(platform::WriteWholeFile(dir.file("a.jpg"), "second", nullptr, platform::FileSync::Cached));
    EXPECT_EQ(ReadAll(dir.file("a.jpg")), "second");

    QString why;
    EXPECT_FALSE(platform::WriteWholeFile(dir.file("nofolder/x.jpg"), "data", &why));
    EXPECT_FALSE(why.isEmpty());
    // The target is a folder: the write fails and the folder stays.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.jpg"));
    EXPECT_FALSE(platform::WriteWholeFile(dir.file("taken.jpg"), "data"));
    EXPECT_TRUE(QFileInfo(dir.file("taken.jpg")).isDir());
    EXPECT_EQ(NamesIn(dir.path()), QStringList({"a.jpg"}));
}

// A full disk shows part way through the data or at its first byte; either way the old
// file must stay as it was and the caller must hear of it.
TEST(WholeFile, FullDiskKeepsTheOldFileByteForByte) {
    SmallDisk disk(256);
    if (!disk.IsMounted())
        GTEST_SKIP() << disk.WhyNot().toStdString();
    const QByteArray old = Pattern(5408, 'a');
    const QByteArray fresh = Pattern(5408, 'k');
    ASSERT_TRUE(platform::WriteWholeFile(disk.file("X290607.dat"), old));

    for (qint64 leave : {qint64(0), qint64(4096)}) {
        SCOPED_TRACE(leave);
        ASSERT_TRUE(disk.Fill(leave));
        QString why;
        EXPECT_FALSE(platform::WriteRecordFile(disk.file("X290607.dat"), 1, fresh.right(2704), &why));
        EXPECT_FALSE(why.isEmpty());
        EXPECT_FALSE(platform::WriteWholeFile(disk.file("X290607.dat"), fresh, nullptr, platform::FileSync::Cached));
        EXPECT_EQ(ReadAll(disk.file("X290607.dat")), old);
        EXPECT_EQ(NamesIn(disk.path()), QStringList({".filler", "X290607.dat"}));
        disk.Unfill();
    }
    ASSERT_TRUE(platform::WriteWholeFile(disk.file("X290607.dat"), fresh));
    EXPECT_EQ(ReadAll(disk.file("X290607.dat")), fresh);
}

TEST(WholeFile, WriteCutShortByAFileSizeLimitKeepsTheOldFile) {
    TempProgramFolder dir;
    const QByteArray old = Pattern(3000, 'a');
    ASSERT_TRUE(platform::WriteWholeFile(dir.file("ETR0511.dat"), old));
    {
        TestSupport::FileSizeLimit limit(1024);
        QString why;
        EXPECT_FALSE(platform::WriteWholeFile(dir.file("ETR0511.dat"), Pattern(2456, 'z'), &why));
        EXPECT_FALSE(why.isEmpty());
    }
    EXPECT_EQ(ReadAll(dir.file("ETR0511.dat")), old);
    EXPECT_EQ(NamesIn(dir.path()), QStringList({"ETR0511.dat"}));
}

TEST(WholeFile, StagedFilesAppearOnlyWhenCommittedAndVanishWhenDropped) {
    TempProgramFolder dir;
    {
        platform::StagedFile note;
        platform::StagedFile picture;
        ASSERT_TRUE(note.Write(dir.file("000001.txt"), "note", nullptr, platform::FileSync::Cached));
        ASSERT_TRUE(picture.Write(dir.file("000001.jpg"), "jpeg", nullptr, platform::FileSync::Cached));
        EXPECT_EQ(NamesIn(dir.path()).filter(".part").size(), 2);
        ASSERT_TRUE(note.Commit());
        EXPECT_TRUE(QFileInfo::exists(dir.file("000001.txt")));
        EXPECT_FALSE(QFileInfo::exists(dir.file("000001.jpg")));
        // picture goes out of scope uncommitted
    }
    EXPECT_EQ(NamesIn(dir.path()), QStringList({"000001.txt"}));
    platform::StagedFile nothing;
    EXPECT_FALSE(nothing.Commit());
}

TEST(WholeFile, StrayTemporariesOfEndedProcessesAreRemovedAndNothingElse) {
    TempProgramFolder dir;
    const QString self = QString::number(getpid());
    const QStringList stray{".X290607.dat." + self + ".3.part", ".000001vm.jpg.999999999.1.part"};
    const QStringList kept{".000002vm.txt.1.7.part", // pid 1 is running
                           "000001vm.jpg.999999999.1.part", ".notes.part", "X290607.dat", "a.txt"};
    for (const QString& name : stray + kept)
        ASSERT_TRUE(WriteAll(dir.file(name), "x"));
    QStringList removed = platform::RemoveStrayStagedFiles(dir.path());
    removed.sort();
    QStringList expected = stray;
    expected.sort();
    EXPECT_EQ(removed, expected);
    QStringList left = kept;
    left.sort();
    EXPECT_EQ(NamesIn(dir.path()), left);
    EXPECT_TRUE(platform::RemoveStrayStagedFiles(QString()).isEmpty());
}

TEST(WholeFile, SmallFileIsRewrittenInPlaceAndCutToLength) {
    TempProgramFolder dir;
    const QString path = dir.file("counter.txt");
    ASSERT_TRUE(platform::RewriteSmallFile(path, "000001\r\n"));
    EXPECT_EQ(ReadAll(path), "000001\r\n");
    ASSERT_TRUE(WriteAll(path, "a damaged and much longer line\r\n"));
    ASSERT_TRUE(platform::RewriteSmallFile(path, "000002\r\n"));
    EXPECT_EQ(ReadAll(path), "000002\r\n");
    EXPECT_FALSE(platform::RewriteSmallFile(dir.file("nofolder/counter.txt"), "1"));
}

// The counter keeps its in-place write: on a full disk it still moves on; only a counter
// that does not exist yet cannot be made, and that is reported.
TEST(WholeFile, SmallFileRewriteOnAFullDisk) {
    SmallDisk disk(256);
    if (!disk.IsMounted())
        GTEST_SKIP() << disk.WhyNot().toStdString();
    ASSERT_TRUE(platform::RewriteSmallFile(disk.file("counter.txt"), "000001\r\n"));
    ASSERT_TRUE(disk.Fill());
    EXPECT_TRUE(platform::RewriteSmallFile(disk.file("counter.txt"), "000002\r\n"));
    EXPECT_EQ(ReadAll(disk.file("counter.txt")), "000002\r\n");
    // tmpfs counts inodes too; a file of data needs a page.
    QString why;
    const bool made = platform::RewriteSmallFile(disk.file("other.txt"), "000001\r\n", &why);
    EXPECT_EQ(made, why.isEmpty());
    EXPECT_FALSE(made);
}

TEST(WholeFile, ReplacedFileKeepsItsPermissionsAndOwnerOnlyFilesAreNeverOpen) {
    TempProgramFolder dir;
    const QString path = dir.file("ETR0511.dat");
    ASSERT_TRUE(platform::WriteWholeFile(path, "one", nullptr, platform::FileSync::Durable,
                                         platform::FileAccess::OwnerOnly));
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther;
    EXPECT_FALSE(QFileInfo(path).permissions() & others);
    EXPECT_TRUE(QFileInfo(path).permissions() & QFileDevice::ReadOwner);
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadGroup | QFileDevice::ReadUser |
                                                QFileDevice::WriteUser));
    ASSERT_TRUE(platform::WriteWholeFile(path, "two"));
    EXPECT_TRUE(QFileInfo(path).permissions() & QFileDevice::ReadGroup);
    EXPECT_FALSE(QFileInfo(path).permissions() & QFileDevice::ReadOther);
    EXPECT_EQ(ReadAll(path), "two");
}
