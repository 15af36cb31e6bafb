// The camera view on test-pattern cameras: real pipelines, captioned frames, the mode list,
// the driver dialogs, recording into the chosen file, and the set-up screen.
#include "CaptureTestKit.h"

#include "capture/CaptureDialogs.h"
#include "capture/CaptureFlags.h"
#include "capture/DriverAliasRegistry.h"
#include "capture/CameraSetupScreen.h"
#include "capture/CameraView.h"
#include "capture/VideoCapture.h"
#include "core/PictureCaption.h"
#include "core/SettingsRecord.h"
#include "core/SettingsStore.h"
#include "platform/DeviceControlDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace capture_test;
using TestSupport::WaitFor;

namespace {

class CameraViewTest : public CameraTest {
protected:
    void SetUp() override {
        CaptureErrorFlag = 0;
        CameraQueriesSuspended = 0;
        record.Cam1Name = QStringLiteral("Depot Gate");
        captions = std::make_unique<PictureCaptions>(record, choices);
        CameraView::SetCaptionPainter([this](platform::PictureCanvas& image, int camera) {
            ++captioned;
            captions->DrawPictureCaption(image, camera);
        });
        platform::InstallTestCameras({Camera("TORVEK Test Camera 1", "YUY2", "black")});
        view = std::make_unique<CameraView>(platform::ProgramFolder(folder.path()));
        view->CameraNumber = 1;
        view->resize(640, 480);
        view->frameImage->resize(640, 480);
        // Sampled the way the main window samples: after the view's own handler.
        QObject::connect(view->cap, &VideoCapture::OnBitmapGrabbed, view.get(),
                         [this](const CapturedBitmap& raw) {
                             ++frames;
                             const QImage& shown = view->ImageBitmap().Image();
                             if (shown.size() != raw.size() || shown == raw)
                                 ++uncaptioned; // the caption must already be on it
                         });
    }

    void TearDown() override {
        view.reset();
        CameraView::SetCaptionPainter({});
        SetModalDialogRunner({});
        CameraQueriesSuspended = 0;
        CameraTest::TearDown();
    }

    bool FramesArrive(int more = 3) {
        const int target = frames + more;
        return WaitFor([&] { return frames >= target; }, kWait);
    }

    // Waits until the shown frame has the size, and the colour in its middle (away from
    // the caption).
    bool Shows(QSize size, std::optional<QRgb> colour = {}) {
        return WaitFor(
            [&] {
                const QImage& image = view->ImageBitmap().Image();
                const QRgb p = image.isNull() ? 0 : image.pixel(image.width() / 2, image.height() / 2);
                return image.size() == size && (!colour || NearColour(p, *colour, 40));
            },
            kWait);
    }

    // The alias registry the set-up screen names its driver from, over the installed cameras.
    struct Aliases {
        explicit Aliases(const QString& path) : path(path) {
            state.Devices = VideoSourceNames(true);
            registry.LoadDriverList();
        }
        QString path;
        SettingsStore store{platform::ProgramFolder(path)};
        CameraChoiceState state;
        DriverAliasRegistry registry{platform::ProgramFolder(path), store, state};
    };

    TestSupport::TempProgramFolder folder;
    SettingsRecord record;
    CaptionChoices choices;
    std::unique_ptr<PictureCaptions> captions;
    std::unique_ptr<CameraView> view;
    int frames = 0, captioned = 0, uncaptioned = 0;
};

} // namespace

TEST_F(CameraViewTest, ConnectedViewShowsCaptionedFramesModesAndDialogs) {
    ASSERT_TRUE(view->ConnectCamera(true, 0));
    EXPECT_TRUE(view->IsPreviewing());
    EXPECT_FALSE(view->IsCapturing());
    EXPECT_FALSE(view->frameImage->isHidden());
    EXPECT_EQ(view->VideoSourceIndex(), 0);
    CameraQueriesSuspended = 1;
    EXPECT_FALSE(view->IsPreviewing());
    CameraQueriesSuspended = 0;

    ASSERT_TRUE(FramesArrive(10));
    ASSERT_TRUE(Shows(QSize(320, 240), qRgb(0, 0, 0))); // the current mode
    EXPECT_GE(captioned, frames);


    // The settings dialog: the test pattern's "pattern" becomes white on the running stream.
    int runs = 0;
    SetModalDialogRunner([&](QDialog& dialog) {
        ++runs;
        auto* pattern = dialog.findChild<QComboBox*>("pattern");
        if (!pattern) return int(QDialog::Rejected);
        const int row = pattern->findText("white");
        pattern->setCurrentIndex(row);
        emit pattern->activated(row);
        return int(QDialog::Accepted);
    });
    view->driverDialogList->setCurrentRow(0);
    view->DriverDialogListDblClick();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(view->IsPreviewing());
    EXPECT_TRUE(Shows(QSize(320, 240), qRgb(255, 255, 255)));

    // The pin dialog: a new format, and the preview comes back at that size.
    SetModalDialogRunner([&](QDialog& dialog) {
        ++runs;
        auto* list = dialog.findChild<QListWidget*>("formatList");
        if (!list) return int(QDialog::Rejected);
        EXPECT_EQ(list->currentRow(), 0);
        list->setCurrentRow(1);
        return int(QDialog::Accepted);
    });
    view->driverDialogList->setCurrentRow(1);
    view->DriverDialogListKeyDown(Qt::Key_Return);
    EXPECT_EQ(runs, 2);
    EXPECT_TRUE(view->IsPreviewing());
    EXPECT_TRUE(Shows(QSize(640, 480)));
    EXPECT_EQ(view->videoModeCombo->currentIndex(), 1);
    view->driverDialogList->setCurrentRow(-1); // no row selected: nothing is shown
    view->DriverDialogListDblClick();
    EXPECT_EQ(runs, 2);

    // A choice in the mode list restarts the preview at that size.
    view->videoModeCombo->setCurrentIndex(0);
    emit view->videoModeCombo->activated(0);
    EXPECT_TRUE(view->IsPreviewing());
    EXPECT_TRUE(Shows(QSize(320, 240)));
    EXPECT_EQ(uncaptioned, 0);

    // The panel stops the preview.
    view->ShowSetupPanel();
    EXPECT_FALSE(view->IsPreviewing());
}

TEST_F(CameraViewTest, RecordingsGoIntoTheChosenFileAndEveryWayOutFinishesThem) {
    ASSERT_TRUE(view->ConnectCamera(true, 0));
    ASSERT_FALSE(view->cap->WantCapture); // camera 1 connects without file capture
    EXPECT_FALSE(view->StartRecording()); // no name: nothing starts
    EXPECT_FALSE(view->IsCapturing());

    const QString file = folder.file("clip one.avi");
    view->SetRecordFileName(file);
    ASSERT_TRUE(view->StartRecording());
    EXPECT_TRUE(view->IsCapturing());
    // Dialogs are refused while the recording runs.
    int runs = 0;
    SetModalDialogRunner([&](QDialog&) { return ++runs, int(QDialog::Accepted); });
    EXPECT_FALSE(view->Dialogs().ShowDialog(dlgVideoSource));
    view->driverDialogList->setCurrentRow(1);
    view->DriverDialogListDblClick();
    EXPECT_EQ(runs, 0);
    // Nor can the mode change under it; the list keeps showing the mode in use.
    view->videoModeCombo->setCurrentIndex(1);
    emit view->videoModeCombo->activated(1);
    EXPECT_TRUE(view->IsCapturing());
    EXPECT_EQ(view->videoModeCombo->currentIndex(), 0);
    ASSERT_TRUE(FramesArrive(30)); // frames keep coming while recording
    EXPECT_TRUE(view->StopRecording());
    EXPECT_FALSE(view->IsCapturing());
    EXPECT_TRUE(view->IsPreviewing());
    EXPECT_FALSE(view->cap->WantCapture); // the profile's setting is back
    const AviFacts avi = Discover(file);
    EXPECT_TRUE(avi.Readable);
    EXPECT_EQ(QSize(avi.Width, avi.Height), QSize(320, 240));
    EXPECT_GT(avi.Seconds, 0.5);
    EXPECT_TRUE(view->StopRecording()); // again: changes nothing
    EXPECT_TRUE(view->IsPreviewing());

    // Switching the camera off while recording.
    view->SetRecordFileName(folder.file("off.avi"));
    ASSERT_TRUE(view->StartRecording());
    ASSERT_TRUE(FramesArrive(15));
    EXPECT_FALSE(view->ConnectCamera(false, 0));
    EXPECT_FALSE(view->IsCapturing());
    EXPECT_FALSE(view->IsPreviewing());
    EXPECT_TRUE(view->frameImage->isHidden());
    EXPECT_TRUE(Discover(folder.file("off.avi")).Readable);
    // Nothing can bring the switched-off camera back through a dialog.
    EXPECT_EQ(view->driverDialogList->count(), 0);
    EXPECT_FALSE(view->Dialogs().ShowDialog(dlgVideoCapturePin));
    EXPECT_FALSE(view->IsPreviewing());
}

TEST_F(CameraViewTest, ADialogOpenWhileTheCameraIsSwitchedOffOrTheViewGoesLeavesThemSo) {
    // Switched off while the pin dialog is open: closing it must not start the camera again.
    ASSERT_TRUE(view->ConnectCamera(true, 0));
    SetModalDialogRunner([&](QDialog& dialog) {
        view->ConnectCamera(false, 0);
        if (auto* list = dialog.findChild<QListWidget*>("formatList"))
            list->setCurrentRow(1);
        return int(QDialog::Accepted);
    });
    view->driverDialogList->setCurrentRow(1);
    view->DriverDialogListDblClick();
    EXPECT_FALSE(view->IsPreviewing());
    EXPECT_FALSE(view->cap->Previewing());

    // The view goes while each of its dialogs is open.
    for (int row : {0, 1}) {
        if (!view) {
            view = std::make_unique<CameraView>(platform::ProgramFolder(folder.path()));
            view->CameraNumber = 1;
        }
        ASSERT_TRUE(view->ConnectCamera(true, 0));
        SetModalDialogRunner([&](QDialog&) {
            view.reset();
            return int(QDialog::Accepted);
        });
        view->driverDialogList->setCurrentRow(row);
        CameraView* const shown = view.get();
        shown->DriverDialogListDblClick();
        EXPECT_FALSE(view) << row;
    }
}

TEST_F(CameraViewTest, ConnectFailuresReturnFalseAndLeaveTheImageHidden) {
    EXPECT_FALSE(view->ConnectCamera(false, 0)); // never connected
    EXPECT_TRUE(view->frameImage->isHidden());
    view->CameraNumber = 3; // neither camera 1 nor 2: nothing applies
    EXPECT_FALSE(view->ConnectCamera(true, 0));
    EXPECT_FALSE(view->IsPreviewing());
    view->CameraNumber = 1;
    platform::RemoveTestCameras(); // no video input device on the machine
    EXPECT_FALSE(view->ConnectCamera(true, 0));
    EXPECT_TRUE(view->frameImage->isHidden());
    EXPECT_FALSE(view->IsPreviewing());
}

TEST_F(CameraViewTest, SetupScreenConnectsOnceNamesTheDriverAndDisconnectsOnClose) {
    platform::InstallTestCameras({Camera("TORVEK Test Camera 1", "YUY2", "black"),
                                  Camera("TORVEK Test Camera 2", "YUY2", "red")});
    view.reset();
    Aliases aliases(folder.path());
    DriverAliasRegistry& registry = aliases.registry;

    int runs = 0;
    bool previewingDuringDialog = false;
    CameraSetupScreen screen(platform::ProgramFolder(folder.path()), registry);
    SetModalDialogRunner([&](QDialog& dialog) {
        if (&dialog != &screen) { // one of the screen's own dialogs
            ++runs;
            previewingDuringDialog = screen.cameraView1->IsPreviewing();
            return int(QDialog::Accepted);
        }
        // The screen itself, shown for real so that it activates as on the desktop.
        dialog.show();
        EXPECT_TRUE(WaitFor([&] { return screen.cameraView1->IsPreviewing(); }, kWait));
        EXPECT_EQ(screen.windowTitle(), "Cam 2 Driver 2 TORVEK Test Camera 2");
        EXPECT_EQ(screen.driverAliasEdit->text(), "Cam 2");
        EXPECT_EQ(registry.SelectedRow(), 1);
        EXPECT_EQ(screen.cameraView1->driverDialogList->count(), 2);
        screen.cameraView1->driverDialogList->setCurrentRow(0);
        screen.cameraView1->DriverDialogListDblClick();
        EXPECT_TRUE(screen.cameraView1->IsPreviewing());
        screen.restartButton->click();
        return screen.result();
    });
    EXPECT_EQ(screen.OpenSetupScreen(1, 2), int(QDialog::Accepted));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(previewingDuringDialog);
    EXPECT_FALSE(screen.cameraView1->IsPreviewing());
    EXPECT_FALSE(screen.isVisible());
}

TEST_F(CameraViewTest, SetupScreenOpenedAgainWhileQueriesAreSuspendedConnectsAndClosesTheCamera) {
    view.reset();
    Aliases aliases(folder.path());
    DriverAliasRegistry& registry = aliases.registry;

    // One screen serves every use, opened as the station opens it: camera queries suspended.
    CameraSetupScreen screen(platform::ProgramFolder(folder.path()), registry);
    CameraQueriesSuspended = 1;
    for (int use = 1; use <= 2; ++use) {
        bool ran = false;
        SetModalDialogRunner([&](QDialog& dialog) {
            dialog.show();
            ran = WaitFor([&] { return screen.cameraView1->cap->Previewing(); }, kWait);
            screen.restartButton->click();
            return screen.result();
        });
        screen.OpenSetupScreen(0, 1);
        EXPECT_TRUE(ran) << "use " << use;
        EXPECT_FALSE(screen.cameraView1->cap->Previewing()) << "use " << use;
        EXPECT_TRUE(screen.cameraView1->frameImage->isHidden()) << "use " << use;
    }
}
