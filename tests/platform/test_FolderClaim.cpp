// The claim of a program folder: one holder at a time, taken without writing anything, and
// not kept by a program started while it was held.
#include "platform/FolderClaim.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

using platform::FolderClaim;
using Result = platform::FolderClaim::Result;

TEST(FolderClaim, OneHolderAtATimeAndAStartedProgramDoesNotKeepIt) {
    TestSupport::TempProgramFolder folder;
    FolderClaim holder, next;
    ASSERT_EQ(holder.Take(folder.path()), Result::Taken);
    EXPECT_EQ(next.Take(folder.path()), Result::Busy);
    EXPECT_TRUE(QDir(folder.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
    // A restarted copy or the desktop's opener, started now, outlives the holder's claim.
    QProcess child;
    child.start(QStringLiteral("/bin/sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(child.waitForStarted(10000));
    holder.Release();
    EXPECT_EQ(next.Take(folder.path()), Result::Taken);
    child.kill();
    child.waitForFinished(10000);

    FolderClaim missing;
    EXPECT_EQ(missing.Take(folder.file("gone")), Result::Unavailable);
    EXPECT_FALSE(missing.Error().isEmpty());
}
