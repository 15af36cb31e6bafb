#include "platform/FtpClient.h"
#include "platform/FtpListing.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using platform::FtpEntry;

namespace {
const QDate kToday(2026, 12, 6);
}

TEST(FtpListing, UnixLinesGiveNameSizeTypeAndTime) {
    const QStringList lines = {
        "total 12",
        "drwxr-xr-x   2 owner    group        4096 Dec 06 20:43 pics",
        "-rw-r--r--   1 owner    group       12345 Jan 02  2025 netcam100001.jpg",
        "-rw-r--r--   1 1000     1000           17 Nov 30 09:05 a name with  blanks.txt",
        "lrwxrwxrwx   1 owner    group           4 Dec 07 01:00 latest -> pics",
        "drwxr-xr-x   2 owner    group        4096 Dec 06 20:43 .",
        "drwxr-xr-x   2 owner    group        4096 Dec 06 20:43 ..",
        "-rw-r--r-- 1 ftp ftp 99 Dec 25 10:00 from-last-year.jpg",
        "this is not a listing line",
        ""};
    const QList<FtpEntry> entries = platform::ParseFtpListing(lines, kToday);
    ASSERT_EQ(entries.size(), 5);
    EXPECT_EQ(entries[0].name, "pics");
    EXPECT_TRUE(entries[0].isDirectory);
    EXPECT_EQ(entries[0].modified, QDateTime(QDate(2026, 12, 6), QTime(20, 43)));
    EXPECT_EQ(entries[1].name, "netcam100001.jpg");
    EXPECT_EQ(entries[1].size, 12345);
    EXPECT_FALSE(entries[1].isDirectory);
    EXPECT_EQ(entries[1].modified, QDateTime(QDate(2025, 1, 2), QTime(0, 0)));
    EXPECT_EQ(entries[2].name, "a name with  blanks.txt");
    EXPECT_EQ(entries[2].size, 17);
    // A link is named without its target; a date a day ahead is still this year.
    EXPECT_EQ(entries[3].name, "latest");
    EXPECT_FALSE(entries[3].isDirectory);
    EXPECT_EQ(entries[3].modified.date(), QDate(2026, 12, 7));
    // A time-only date later than tomorrow belongs to last year.
    EXPECT_EQ(entries[4].modified.date(), QDate(2025, 12, 25));
}

TEST(FtpListing, DosLinesGiveFoldersFilesAndTwelveHourTimes) {
    const QList<FtpEntry> entries = platform::ParseFtpListing(
        {"12-06-26  08:34PM       <DIR>          My Pictures", "01-02-99  12:05AM                 1234 old.jpg",
         "03-04-2026  11:00                   7 plain.txt"},
        kToday);
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].name, "My Pictures");
    EXPECT_TRUE(entries[0].isDirectory);
    EXPECT_EQ(entries[0].modified, QDateTime(QDate(2026, 12, 6), QTime(20, 34)));
    EXPECT_EQ(entries[1].size, 1234);
    EXPECT_EQ(entries[1].modified, QDateTime(QDate(1999, 1, 2), QTime(0, 5)));
    EXPECT_EQ(entries[2].modified, QDateTime(QDate(2026, 3, 4), QTime(11, 0)));
}

TEST(FtpPaths, FoldersResolveToAbsolutePaths) {
    EXPECT_EQ(platform::ResolveFtpPath("/", ".."), "/");
    EXPECT_EQ(platform::ResolveFtpPath("/a/b", ".."), "/a");
    EXPECT_EQ(platform::ResolveFtpPath("/a", "b/./c/"), "/a/b/c");
    EXPECT_EQ(platform::ResolveFtpPath("/a/b", "/x/../y"), "/y");
    EXPECT_EQ(platform::ResolveFtpPath("/a", "../../.."), "/");
    EXPECT_TRUE(platform::IsSafeFtpText("name with blanks.jpg"));
    EXPECT_FALSE(platform::IsSafeFtpText("a\r\nDELE x"));
    EXPECT_FALSE(platform::IsSafeFtpText("a\nb"));
    EXPECT_FALSE(platform::IsSafeFtpText(QString("a") + QChar(0) + "b"));
}
