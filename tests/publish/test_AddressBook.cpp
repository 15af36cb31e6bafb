#include "publish/AddressBook.h"
#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using TestSupport::ReadAll;
using TestSupport::WriteAll;

TEST(AddressBook, DuplicatesByCaseOrBlanksAreRefusedAndLeaveTheFile) {
    TestSupport::TempProgramFolder folder;
    const QString path = folder.file(AddressBook::kFileName);
    const QByteArray stored = "Anna@Example.com\r\n  bob@example.com \r\n";
    ASSERT_TRUE(WriteAll(path, stored));
    EXPECT_EQ(AddressBook::Add(path, "anna@EXAMPLE.COM"), AddressBook::AddResult::AlreadyThere);
    EXPECT_EQ(AddressBook::Add(path, " bob@example.com"), AddressBook::AddResult::AlreadyThere);
    EXPECT_EQ(ReadAll(path), stored);
    // Letters outside A-Z count as they are.
    EXPECT_EQ(AddressBook::Add(path, QString::fromUtf8("ÄNNA@example.com")), AddressBook::AddResult::Added);
    EXPECT_EQ(AddressBook::Add(path, QString::fromUtf8("änna@example.com")), AddressBook::AddResult::Added);
}

TEST(AddressBook, NewAddressesAreAppendedOnTheirOwnLine) {
    TestSupport::TempProgramFolder folder;
    const QString path = folder.file(AddressBook::kFileName);
    EXPECT_EQ(AddressBook::Add(path, " new@example.com"), AddressBook::AddResult::Added);
    EXPECT_EQ(ReadAll(path), QByteArray(" new@example.com\r\n"));
    EXPECT_EQ(AddressBook::Add(path, QString::fromUtf8("zoë@example.com")), AddressBook::AddResult::Added);
    EXPECT_EQ(ReadAll(path), QByteArray(" new@example.com\r\nzo\xEB@example.com\r\n"));

    // A last line without its line end keeps its own line.
    ASSERT_TRUE(WriteAll(path, "a@example.com"));
    EXPECT_EQ(AddressBook::Add(path, "b@example.com"), AddressBook::AddResult::Added);
    EXPECT_EQ(ReadAll(path), QByteArray("a@example.com\r\nb@example.com\r\n"));
}

TEST(AddressBook, ReadKeepsLinesAsStoredAndSortsForTheList) {
    TestSupport::TempProgramFolder folder;
    const QString path = folder.file(AddressBook::kFileName);
    QStringList lines{"stale"};
    ASSERT_TRUE(AddressBook::Read(path, lines)); // no file: an empty book
    EXPECT_TRUE(lines.isEmpty());
    ASSERT_TRUE(WriteAll(path, "zed@example.com\r\n Bob@example.com\r\nalice@example.com\nCarl@example.com\r\n"));
    ASSERT_TRUE(AddressBook::Read(path, lines));
    EXPECT_EQ(lines, (QStringList{"zed@example.com", " Bob@example.com", "alice@example.com", "Carl@example.com"}));
    const QStringList sorted = AddressBook::Sorted(lines);
    EXPECT_EQ(sorted, (QStringList{" Bob@example.com", "alice@example.com", "Carl@example.com", "zed@example.com"}));
    EXPECT_EQ(AddressBook::SortedPosition(sorted, "bert@example.com"), 2);
    EXPECT_EQ(AddressBook::SortedPosition(sorted, "zz"), 4);
}

TEST(AddressBook, UnreadableOrUnwritableBookFailsAndKeepsItsContent) {
    TestSupport::TempProgramFolder folder;
    // A folder where the book should be cannot be read.
    const QString path = folder.file(AddressBook::kFileName);
    ASSERT_TRUE(QDir().mkpath(path));
    QString error;
    QStringList lines;
    EXPECT_FALSE(AddressBook::Read(path, lines, &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_EQ(AddressBook::Add(path, "b@example.com", &error), AddressBook::AddResult::Failed);
    EXPECT_FALSE(error.isEmpty());

    // A book whose folder cannot take the new file keeps its content.
    const QString notAFolder = folder.file("plain");
    ASSERT_TRUE(WriteAll(notAFolder, "x"));
    error.clear();
    EXPECT_EQ(AddressBook::Add(notAFolder + "/" + AddressBook::kFileName, "b@example.com", &error),
              AddressBook::AddResult::Failed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadAll(notAFolder), QByteArray("x"));
}
