#include "platform/ProgramFolder.h"

#include <gtest/gtest.h>

using platform::JoinPath;
using platform::ProgramFolder;

TEST(ProgramFolder, JoinsWithExactlyOneSeparator) {
    EXPECT_EQ(JoinPath("/a/b/", "c.dat"), "/a/b/c.dat");
    EXPECT_EQ(JoinPath("/a/b", "c.dat"), "/a/b/c.dat");
    EXPECT_EQ(JoinPath("/a/b//", "/cam1/"), "/a/b/cam1/");
    EXPECT_EQ(JoinPath("/", "x"), "/x");
    EXPECT_EQ(JoinPath("", "x"), "x");
}

TEST(ProgramFolder, RootFilesAndSubFolders) {
    ProgramFolder folder("/tmp/station");
    EXPECT_EQ(folder.Root(), "/tmp/station/");
    EXPECT_EQ(folder.File("X290607.dat"), "/tmp/station/X290607.dat");
    EXPECT_EQ(folder.Sub("cam1"), "/tmp/station/cam1/");
    EXPECT_FALSE(ProgramFolder().IsValid());
}
