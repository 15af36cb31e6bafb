#include "platform/WholeFile.h"

#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using TestSupport::ReadAll;
using TestSupport::TempProgramFolder;
using TestSupport::WriteAll;

TEST(WholeFile, ReplacesOrFailsLeavingNoTemporaryAndNoHalfFile) {
    TempProgramFolder dir;
    ASSERT_TRUE(platform::WriteWholeFile(dir.file("a.jpg"), "first"));
    ASSERT_TRUE(platform::WriteWholeFile(dir.file("a.jpg"), "second"));
    EXPECT_EQ(ReadAll(dir.file("a.jpg")), "second");

    QString why;
    EXPECT_FALSE(platform::WriteWholeFile(dir.file("nofolder/x.jpg"), "data", &why));
    EXPECT_FALSE(why.isEmpty());
    // The target is a folder: the write fails and the folder stays.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.jpg"));
    EXPECT_FALSE(platform::WriteWholeFile(dir.file("taken.jpg"), "data"));
    EXPECT_TRUE(QFileInfo(dir.file("taken.jpg")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"a.jpg"}));
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
