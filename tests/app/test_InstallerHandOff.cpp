#include "app/InstallerHandOff.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using TestSupport::WriteAll;

namespace {

class HandOff : public ::testing::Test {
protected:
    TestSupport::TempProgramFolder home;
    QString handOff;
    QString installed; // our own executable
    QString oldCopy;   // the copy that ran the installer

    void SetUp() override {
        QDir(home.path()).mkpath("torvek");
        QDir(home.path()).mkpath("download");
        handOff = home.file("torvek/Setup.Dat");
        installed = home.file("torvek/torvek");
        oldCopy = home.file("download/torvek");
        ASSERT_TRUE(WriteAll(installed, "installed"));
        ASSERT_TRUE(WriteAll(oldCopy, "old"));
    }
};

} // namespace

TEST_F(HandOff, DeletesTheOldCopyAndThenTheHandOffFile) {
    ASSERT_TRUE(WriteAll(handOff, (home.path() + "download/  \r\nignored\n").toUtf8()));
    EXPECT_TRUE(CleanUpInstallerHandOff(handOff, installed));
    EXPECT_FALSE(QFileInfo::exists(oldCopy));
    EXPECT_FALSE(QFileInfo::exists(handOff));
    EXPECT_TRUE(QFileInfo::exists(installed));
}

TEST_F(HandOff, NeverDeletesTheRunningProgram) {
    // The line names our own folder, directly or through a link.
    ASSERT_TRUE(WriteAll(handOff, (home.path() + "torvek").toUtf8()));
    EXPECT_FALSE(CleanUpInstallerHandOff(handOff, installed));
    ASSERT_TRUE(QFile::link(home.path() + "torvek", home.path() + "alias"));
    ASSERT_TRUE(WriteAll(handOff, (home.path() + "alias/").toUtf8()));
    EXPECT_FALSE(CleanUpInstallerHandOff(handOff, installed));
    EXPECT_TRUE(QFileInfo::exists(installed));
    EXPECT_TRUE(QFileInfo::exists(handOff));
}

TEST_F(HandOff, UnusableLinesLeaveEverythingAsItWas) {
    const QByteArray lines[] = {"", "download", "../download", (home.path() + "nowhere").toUtf8(),
                                (home.path() + "download/torvek").toUtf8()};
    for (const QByteArray& line : lines) {
        ASSERT_TRUE(WriteAll(handOff, line));
        EXPECT_FALSE(CleanUpInstallerHandOff(handOff, installed)) << line.constData();
        EXPECT_TRUE(QFileInfo::exists(oldCopy)) << line.constData();
        EXPECT_TRUE(QFileInfo::exists(handOff)) << line.constData();
    }
    QFile::remove(handOff);
    EXPECT_FALSE(CleanUpInstallerHandOff(handOff, installed));
    EXPECT_TRUE(QFileInfo::exists(oldCopy));
}
