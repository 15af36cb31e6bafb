#include "platform/ProgramFolder.h"

#include <gtest/gtest.h>

using platform::JoinPath;

TEST(ProgramFolder, JoinsWithExactlyOneSeparator) {
    EXPECT_EQ(JoinPath("/a/b/", "c.dat"), "/a/b/c.dat");
    EXPECT_EQ(JoinPath("/a/b", "c.dat"), "/a/b/c.dat");
    EXPECT_EQ(JoinPath("/a/b//", "/cam1/"), "/a/b/cam1/");
    EXPECT_EQ(JoinPath("/", "x"), "/x");
    EXPECT_EQ(JoinPath("", "x"), "x");
}
