// The picture log as the station binds it: opened through the layout's logged-pictures seam
// on the camera folder, recycling held while it shows, closed by its camera's key.
#include "TzonesFixture.h"
#include "app/LoggedPictures.h"
#include "app/StationLayout.h"
#include "core/PictureStore.h"
#include "publish/TLogWin.h"

#include <QListWidget>
#include <QTest>
#include <QTimer>

class StationPictureLog : public TzonesFixture {};

TEST_F(StationPictureLog, TheLayoutSeamOpensTheBoundLogAndItsCameraKeyAsksForTheZoneWindow) {
    Create();
    PictureStore pictures(*store);
    TLogWin log(*store);
    BindPictureLog(log, *zones, pictures, nullptr);
    EXPECT_EQ(links.pictureLog, &log);
    ASSERT_TRUE(store->MakeCameraFolders());
    ASSERT_TRUE(TestSupport::WriteAll(store->CameraFolder(2) + "000001PC.jpg", QByteArray(50, 'x')));

    StationLayout layout(*zones);
    bool seenWhileShown = false;
    QTimer::singleShot(0, &log, [&] {
        seenWhileShown = log.isVisible() && pictures.Hooks().logWindowVisible() &&
                         log.Logic().Camera() == 2 && log.Logic().Rows() == QStringList({"000001PC.jpg"});
        QTest::keyClick(log.ImageList, Qt::Key_F2);
    });
    layout.ShowLoggedPictures(2);
    EXPECT_TRUE(seenWhileShown);
    EXPECT_FALSE(log.isVisible());
    EXPECT_FALSE(pictures.Hooks().logWindowVisible());
    EXPECT_TRUE(log.ClosedByKey());
    EXPECT_EQ(zones->ViewSwitchRequest(), 0);

    // The history folder, closed with Esc: nothing further.
    QTimer::singleShot(0, &log, [&] {
        seenWhileShown = log.Logic().Camera() == 3 && log.Logic().Folder() == zones->HistoryFolder();
        QTest::keyClick(log.ImageList, Qt::Key_Escape);
    });
    layout.ShowLoggedPictures(3);
    EXPECT_TRUE(seenWhileShown);
    EXPECT_FALSE(log.ClosedByKey());
}
