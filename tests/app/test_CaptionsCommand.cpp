#include "MainWindowFixture.h"

#include "app/CaptionsCommand.h"
#include "core/CaptionChoices.h"
#include "core/CaptionSettings.h"
#include "core/PictureCaption.h"
#include "core/CaptionFontDialog.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

// The tool bar's Captions button refuses while no camera runs, and otherwise opens the
// caption window with the running camera's frame in its preview.
TEST_F(CameraStationFixture, CaptionsButtonNeedsARunningCamera) {
    InstallCameras(1);
    StartStation();
    CaptionChoices choices;
    PictureCaptions captions(store->Record(), choices);
    CaptionSettings settings(*store, choices, captions);
    CaptionFontDialog window(settings);
    BindCaptionsCommand(*mainWindow, window, settings);

    mainWindow->captionsButton->click();
    EXPECT_EQ(messages, QStringList{"You must start the camera to use this feature."});
    EXPECT_FALSE(window.isVisible());

    mainWindow->camera1Button->click();
    ASSERT_TRUE(mainWindow->CameraPreviews(1));
    ASSERT_TRUE(FramesArrive(1));
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = QApplication::activeModalWidget() == &window;
        window.reject();
    });
    mainWindow->captionsButton->click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(settings.Preview().Image().size(), QSize(320, 240));
    EXPECT_EQ(messages.size(), 1);
}
