// The picture log as the station binds it: opened through the layout's logged-pictures seam
// on the camera folder, recycling held while it shows, closed by its camera's key; a film
// played from it.
#include "MainWindowFixture.h"
#include "app/LoggedPictures.h"
#include "app/StationLayout.h"
#include "core/PictureStore.h"
#include "platform/OwnedWindow.h"
#include "publish/PictureLogWindow.h"
#include "publish/AviPlayerWindow.h"
#include "support/AviReadback.h"

#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

class StationPictureLog : public MainWindowFixture {};

TEST_F(StationPictureLog, TheLayoutSeamOpensTheBoundLogAndItsCameraKeyAsksForTheZoneWindow) {
    Create();
    PictureStore pictures(*store);
    PictureLogWindow log(*store);
    BindPictureLog(log, *mainWindow, pictures, nullptr);
    EXPECT_EQ(links.pictureLog, &log);
    ASSERT_TRUE(store->MakeCameraFolders());
    ASSERT_TRUE(TestSupport::WriteAll(store->CameraFolder(2) + "000001PC.jpg", QByteArray(50, 'x')));

    StationLayout layout(*mainWindow);
    bool seenWhileShown = false;
    QTimer::singleShot(0, &log, [&] {
        seenWhileShown = log.isVisible() && pictures.Hooks().logWindowVisible() &&
                         log.Logic().Camera() == 2 && log.Logic().Rows() == QStringList({"000001PC.jpg"});
        QTest::keyClick(log.pictureList, Qt::Key_F2);
    });
    layout.ShowLoggedPictures(2);
    EXPECT_TRUE(seenWhileShown);
    EXPECT_FALSE(log.isVisible());
    EXPECT_FALSE(pictures.Hooks().logWindowVisible());
    EXPECT_TRUE(log.ClosedByKey());
    EXPECT_EQ(mainWindow->ViewSwitchRequest(), 0);

    // The history folder, closed with Esc: nothing further.
    QTimer::singleShot(0, &log, [&] {
        seenWhileShown = log.Logic().Camera() == 3 && log.Logic().Folder() == mainWindow->HistoryFolder();
        QTest::keyClick(log.pictureList, Qt::Key_Escape);
    });
    layout.ShowLoggedPictures(3);
    EXPECT_TRUE(seenWhileShown);
    EXPECT_FALSE(log.ClosedByKey());
}

TEST_F(StationPictureLog, AFilmPlayedFromTheLogStandsAboveItAndEscClosesOnlyThePlayer) {
    Create();
    PictureStore pictures(*store);
    PictureLogWindow log(*store);
    AviPlayerWindow player;
    BindPictureLog(log, *mainWindow, pictures, &player);
    // As the station keeps its windows above the main window.
    for (QWidget* owned : {static_cast<QWidget*>(&log), static_cast<QWidget*>(&player)})
        platform::KeepAboveOwner(owned, mainWindow.get());
    mainWindow->show();
    const QString film = folder.file("film.avi");
    ASSERT_TRUE(TestSupport::WritePatternFilm(film, 300)); // 30 seconds: still playing when Esc comes

    StationLayout layout(*mainWindow);
    bool above = false, onlyThePlayerClosed = false;
    QTimer::singleShot(0, &log, [&] {
        log.Hooks().PlayAviFile(film);
        above = player.isVisible() && player.windowHandle()->transientParent() == log.windowHandle();
        // Esc as the desktop delivers it: to the player's window, where the modal log may block it.
        QTest::keyClick(player.windowHandle(), Qt::Key_Escape);
        onlyThePlayerClosed = !player.isVisible() && log.isVisible();
        player.StopAndClose();
        QTest::keyClick(log.pictureList, Qt::Key_Escape);
    });
    layout.ShowLoggedPictures(1);
    EXPECT_TRUE(above);
    EXPECT_TRUE(onlyThePlayerClosed);
}
