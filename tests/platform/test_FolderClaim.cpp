// The claim of a program folder: one holder at a time, nothing written to take it, and no
// started program that keeps it after its holder let it go.
#include "platform/FolderClaim.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

using platform::FolderClaim;
using Result = platform::FolderClaim::Result;

TEST(FolderClaim, OneHolderPerFolderAndTakingItWritesNothing) {
    TestSupport::TempProgramFolder folder, other;
    const QDateTime changed = QFileInfo(folder.path()).lastModified();
    FolderClaim first, second, elsewhere;
    EXPECT_EQ(first.Take(folder.path()), Result::Taken);
    EXPECT_EQ(first.Take(folder.path()), Result::Taken); // held already
    EXPECT_EQ(second.Take(folder.path()), Result::Busy);
    EXPECT_FALSE(second.Held());
    EXPECT_EQ(elsewhere.Take(other.path()), Result::Taken);
    first.Release();
    EXPECT_EQ(second.Take(folder.path()), Result::Taken);

    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                    .isEmpty());
    EXPECT_EQ(QFileInfo(folder.path()).lastModified(), changed);

    FolderClaim missing;
    EXPECT_EQ(missing.Take(folder.file("gone")), Result::Unavailable);
    EXPECT_FALSE(missing.Error().isEmpty());
}

// A program started while the claim is held (a restarted copy, the desktop's opener) must
// not carry the lock on after the holder lets it go or dies.
TEST(FolderClaim, AStartedProgramDoesNotKeepTheClaim) {
    TestSupport::TempProgramFolder folder;
    FolderClaim holder;
    ASSERT_EQ(holder.Take(folder.path()), Result::Taken);
    QProcess child;
    child.start(QStringLiteral("/bin/sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(child.waitForStarted(10000));
    holder.Release();
    FolderClaim next;
    EXPECT_EQ(next.Take(folder.path()), Result::Taken);
    child.kill();
    child.waitForFinished(10000);
}
