#include "platform/WholeFile.h"

#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using platform::WriteWholeFile;
using TestSupport::ReadAll;
using TestSupport::TempProgramFolder;
using TestSupport::WriteAll;

TEST(WholeFile, WritesAndReplacesLeavingNoTemporaries) {
    TempProgramFolder dir;
    const QString path = dir.file("counter.txt");
    ASSERT_TRUE(WriteWholeFile(path, "000001\r\n"));
    EXPECT_EQ(ReadAll(path), "000001\r\n");
    ASSERT_TRUE(WriteWholeFile(path, "000002\r\n"));
    EXPECT_EQ(ReadAll(path), "000002\r\n");
    ASSERT_TRUE(WriteWholeFile(dir.file("empty"), QByteArray()));
    EXPECT_TRUE(QFileInfo(dir.file("empty")).isFile());

    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList({"counter.txt", "empty"}));
}

TEST(WholeFile, FailureSaysWhyAndKeepsWhatWasThere) {
    TempProgramFolder dir;
    QString why;
    EXPECT_FALSE(WriteWholeFile(dir.file("nofolder/x.jpg"), "data", &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.file("nofolder/x.jpg")));

    // A folder name that is a file (not writable as a folder).
    ASSERT_TRUE(WriteAll(dir.file("plain"), "x"));
    why.clear();
    EXPECT_FALSE(WriteWholeFile(dir.file("plain/x.jpg"), "data", &why));
    EXPECT_FALSE(why.isEmpty());

    // Replacing a folder by a file fails and leaves the folder alone.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.jpg"));
    EXPECT_FALSE(WriteWholeFile(dir.file("taken.jpg"), "data"));
    EXPECT_TRUE(QFileInfo(dir.file("taken.jpg")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"plain"}));
}

TEST(WholeFile, SmallFileIsRewrittenInPlaceAndCutToLength) {
    TempProgramFolder dir;
    const QString path = dir.file("counter.txt");
    ASSERT_TRUE(platform::RewriteSmallFile(path, "000001\r\n"));
    EXPECT_EQ(ReadAll(path), "000001\r\n");
    ASSERT_TRUE(WriteAll(path, "a damaged and much longer line\r\n"));
    ASSERT_TRUE(platform::RewriteSmallFile(path, "000002\r\n"));
    EXPECT_EQ(ReadAll(path), "000002\r\n");
    ASSERT_TRUE(platform::RewriteSmallFile(path, "1000000\r\n"));
    EXPECT_EQ(ReadAll(path), "1000000\r\n");

    QString why;
    EXPECT_FALSE(platform::RewriteSmallFile(dir.file("nofolder/counter.txt"), "1", &why));
    EXPECT_FALSE(why.isEmpty());
}
