// The camera-start guard's count across start-ups that die while their cameras start.
#include "core/CameraStartGuard.h"

#include "support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

using TestSupport::TempProgramFolder;

TEST(CameraStartGuard, TripsOnlyAfterTwoStartUpsInARowDiedAndThenTriesAgain) {
    TempProgramFolder folder;
    const QString marker = folder.file(CameraStartGuard::kMarkerName);

    // A start-up whose cameras started leaves nothing behind.
    CameraStartGuard(marker).Begin();
    CameraStartGuard(marker).Passed();
    EXPECT_FALSE(QFile::exists(marker));

    // One start-up dies: the next starts its cameras, and a good one clears the count.
    EXPECT_TRUE(CameraStartGuard(marker).Begin());
    EXPECT_EQ(CameraStartGuard(marker).EndedWhileStarting(), 1);
    EXPECT_TRUE(CameraStartGuard(marker).Begin());
    CameraStartGuard(marker).Passed();
    EXPECT_EQ(CameraStartGuard(marker).EndedWhileStarting(), 0);

    // Two in a row: the third leaves the cameras off once, and the fourth tries again.
    EXPECT_TRUE(CameraStartGuard(marker).Begin());
    EXPECT_TRUE(CameraStartGuard(marker).Begin());
    EXPECT_EQ(CameraStartGuard(marker).EndedWhileStarting(), 2);
    EXPECT_FALSE(CameraStartGuard(marker).Begin());
    EXPECT_FALSE(QFile::exists(marker));
    EXPECT_TRUE(CameraStartGuard(marker).Begin());
}

TEST(CameraStartGuard, AMarkerCutShortStillCountsAndAnUnwritableFolderStartsTheCameras) {
    TempProgramFolder folder;
    const QString marker = folder.file(CameraStartGuard::kMarkerName);
    for (const QByteArray& left : {QByteArray(), QByteArray("x"), QByteArray("1")}) {
        SCOPED_TRACE(left.toStdString());
        ASSERT_TRUE(TestSupport::WriteAll(marker, left));
        EXPECT_EQ(CameraStartGuard(marker).EndedWhileStarting(), 1);
        EXPECT_TRUE(CameraStartGuard(marker).Begin()); // the second start-up in a row to try
        EXPECT_FALSE(CameraStartGuard(marker).Begin());
    }
    CameraStartGuard nowhere(folder.file("missing/") + CameraStartGuard::kMarkerName);
    EXPECT_TRUE(nowhere.Begin());
    EXPECT_TRUE(nowhere.Begin());
}
