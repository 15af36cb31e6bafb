// The camera view on test-pattern cameras: real pipelines, captioned frames, the mode list,
// the driver dialogs, recording into the chosen file, and the set-up screen.
#include "capture/CaptureDevices.h"
#include "capture/CaptureDialogs.h"
#include "capture/CaptureFlags.h"
#include "capture/DriverAliasRegistry.h"
#include "capture/TsetupForm.h"
#include "capture/TtorCap.h"
#include "capture/VideoCapture.h"
#include "core/PictureCaption.h"
#include "core/SettingsRecord.h"
#include "core/SettingsStore.h"
#include "platform/DeviceControlDialog.h"
#include "platform/MediaTestCameras.h"
#include "support/TestSupport.h"

#include <gst/pbutils/pbutils.h>
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>

using platform::TestCameraSpec;
using TestSupport::WaitFor;

namespace {

constexpr int kWait = 20000;

struct AviFacts {
    bool readable = false;
    int width = 0, height = 0;
    double seconds = 0;
};

AviFacts Discover(const QString& path) {
    AviFacts facts;
    GError* error = nullptr;
    GstDiscoverer* discoverer = gst_discoverer_new(10 * GST_SECOND, &error);
    if (!discoverer) {
        g_clear_error(&error);
        return facts;
    }
    const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
    GstDiscovererInfo* info = gst_discoverer_discover_uri(discoverer, uri.constData(), &error);
    g_clear_error(&error);
    if (info && gst_discoverer_info_get_result(info) == GST_DISCOVERER_OK) {
        facts.readable = true;
        facts.seconds = double(gst_discoverer_info_get_duration(info)) / GST_SECOND;
        GList* videos = gst_discoverer_info_get_video_streams(info);
        if (videos) {
            auto* v = GST_DISCOVERER_VIDEO_INFO(videos->data);
            facts.width = int(gst_discoverer_video_info_get_width(v));
            facts.height = int(gst_discoverer_video_info_get_height(v));
        }
        gst_discoverer_stream_info_list_free(videos);
    }
    if (info)
        gst_discoverer_info_unref(info);
    g_object_unref(discoverer);
    return facts;
}

TestCameraSpec Camera(const QString& name, const QString& pattern) {
    TestCameraSpec cameraSpec;
    cameraSpec.Name = name;
    cameraSpec.Pattern = pattern;
    return cameraSpec;
}

bool IsColour(const QImage& image, QPoint at, QRgb colour) {
    const QRgb p = image.pixel(at);
    return qAbs(qRed(p) - qRed(colour)) < 40 && qAbs(qGreen(p) - qGreen(colour)) < 40 &&
           qAbs(qBlue(p) - qBlue(colour)) < 40;
}

class CameraViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        CaptureErrorFlag = 0;
        CameraQueriesSuspended = 0;
        record.Cam1Name = QStringLiteral("Depot Gate");
        captions = std::make_unique<PictureCaptions>(record, choices);
        TtorCap::SetCaptionPainter([this](platform::PictureCanvas& image, int camera) {
            ++captioned;
            captions->DrawPictureCaption(image, camera);
        });
        platform::InstallTestCameras({Camera("TORVEK Test Camera 1", "black")});
        view = std::make_unique<TtorCap>(platform::ProgramFolder(folder.path()));
        view->CameraNumber = 1;
        view->resize(640, 480);
        view->Image->resize(640, 480);
        // Sampled the way the main window samples: after the view's own handler.
        QObject::connect(view->cap, &TVideoCapture::OnBitmapGrabbed, view.get(), [this](const TCapturedBitmap& raw) {
            ++frames;
            const QImage& shown = view->ImageBitmap().Image();
            if (shown.size() != raw.size() || shown == raw)
                ++uncaptioned; // the caption must already be on it
        });
    }

    void TearDown() override {
        view.reset();
        TtorCap::SetCaptionPainter({});
        SetModalDialogRunner({});
        platform::RemoveTestCameras();
        ClearDeviceLists();
        CameraQueriesSuspended = 0;
    }

    bool FramesArrive(int more = 3) {
        const int target = frames + more;
        return WaitFor([&] { return frames >= target; }, kWait);
    }

    // Waits until the shown frame (away from the caption) has the colour.
    bool ShowsColour(QRgb colour) {
        return WaitFor(
            [&] {
                const QImage& image = view->ImageBitmap().Image();
                return !image.isNull() && IsColour(image, QPoint(image.width() / 2, image.height() / 2), colour);
            },
            kWait);
    }

    QStringList DialogRows() const {
        QStringList rows;
        for (int i = 0; i < view->lbDialogs->count(); ++i)
            rows << view->lbDialogs->item(i)->text();
        return rows;
    }

    TestSupport::TempProgramFolder folder;
    SettingsRecord record;
    CaptionChoices choices;
    std::unique_ptr<PictureCaptions> captions;
    std::unique_ptr<TtorCap> view;
    int frames = 0;
    int captioned = 0;
    int uncaptioned = 0;
};

} // namespace

TEST_F(CameraViewTest, ConnectsAndShowsCaptionedFramesOfTheModeSize) {
    ASSERT_TRUE(view->ConnectCamera(true, 0));
    EXPECT_TRUE(view->IsPreviewing());
    EXPECT_FALSE(view->IsCapturing());
    EXPECT_FALSE(view->Image->isHidden());
    EXPECT_EQ(view->camName->text(), "TORVEK Test Camera 1");
    EXPECT_EQ(view->VideoSourceIndex(), 0);

    ASSERT_TRUE(FramesArrive(10));
    EXPECT_EQ(view->ImageBitmap().Image().size(), QSize(320, 240)); // the current mode
    EXPECT_EQ(uncaptioned, 0);
    EXPECT_GE(captioned, frames);
    // The caption's location line stands on the picture.
    EXPECT_EQ(captions->LocationText(1), "Depot Gate");

    CameraQueriesSuspended = 1;
    EXPECT_FALSE(view->IsPreviewing());
    CameraQueriesSuspended = 0;
    EXPECT_TRUE(view->IsPreviewing());
}

TEST_F(CameraViewTest, ModeListFollowsTheCameraAndAChoiceRestartsAtTheNewSize) {
    ASSERT_TRUE(view->ConnectCamera(true, 0));
    ASSERT_EQ(view->cbVModes->count(), 2);
    EXPECT_EQ(view->cbVModes->itemText(0), "320x240x16b (YUY2)");
    EXPECT_EQ(view->cbVModes->itemText(1), "640x480x16b (YUY2)");
    EXPECT_EQ(view->cbVModes->currentIndex(), 0);
    EXPECT_EQ(view->cbAModes->count(), 0);

    view->cbVModes->setCurrentIndex(1);
    emit view->cbVModes->activated(1);
    EXPECT_TRUE(view->IsPreviewing());
    ASSERT_TRUE(WaitFor([&] { return view->ImageBitmap().Image().size() == QSize(640, 480); }, kWait));
    EXPECT_EQ(uncaptioned, 0);

    // The panel stops the preview and marks a list without rows.
    view->ShowSetupPanel();
    EXPECT_TRUE(view->SetupPanel->isVisibleTo(view.get()));
    EXPECT_FALSE(view->IsPreviewing());
    EXPECT_TRUE(view->cbVModes->isEnabled());
    EXPECT_FALSE(view->cbAModes->isEnabled());
    EXPECT_EQ(view->cbAModes->placeholderText(), "N/A");
    view->Button2->click();
    EXPECT_FALSE(view->SetupPanel->isVisibleTo(view.get()));
}

TEST_F(CameraViewTest, DriverDialogsChangeThePictureAndTheFormat) {
    ASSERT_TRUE(view->ConnectCamera(true, 0));
    EXPECT_EQ(DialogRows(), (QStringList{"Camera Capture Filter", "Camera Capture Pin"}));
    ASSERT_TRUE(ShowsColour(qRgb(0, 0, 0)));

    // The settings dialog: the test pattern's "pattern" becomes white on the running stream.
    int runs = 0;
    SetModalDialogRunner([&](QDialog& dialog) {
        ++runs;
        auto* pattern = dialog.findChild<QComboBox*>("pattern");
        EXPECT_NE(pattern, nullptr);
        if (!pattern)
            return int(QDialog::Rejected);
        const int row = pattern->findText("white");
        pattern->setCurrentIndex(row);
        emit pattern->activated(row);
        return int(QDialog::Accepted);
    });
    view->lbDialogs->setCurrentRow(0);
    view->lbDialogsDblClick();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(view->IsPreviewing());
    ASSERT_TRUE(ShowsColour(qRgb(255, 255, 255)));

    // The pin dialog: a new format, and the preview comes back at that size.
    SetModalDialogRunner([&](QDialog& dialog) {
        ++runs;
        auto* list = dialog.findChild<QListWidget*>("formatList");
        EXPECT_NE(list, nullptr);
        if (!list)
            return int(QDialog::Rejected);
        EXPECT_EQ(list->currentRow(), 0);
        list->setCurrentRow(1);
        return int(QDialog::Accepted);
    });
    view->lbDialogs->setCurrentRow(1);
    view->lbDialogsKeyDown(Qt::Key_Return);
    EXPECT_EQ(runs, 2);
    EXPECT_TRUE(view->IsPreviewing());
    ASSERT_TRUE(WaitFor([&] { return view->ImageBitmap().Image().size() == QSize(640, 480); }, kWait));
    EXPECT_EQ(view->cbVModes->currentIndex(), 1);

    // No row selected: nothing is shown.
    view->lbDialogs->setCurrentRow(-1);
    view->lbDialogsDblClick();
    EXPECT_EQ(runs, 2);
}

TEST_F(CameraViewTest, RecordingGoesIntoTheChosenFileAndPlaysBack) {
    ASSERT_TRUE(view->ConnectCamera(true, 0));
    ASSERT_FALSE(view->cap->WantCapture); // camera 1 connects without file capture

    // No name: nothing starts.
    EXPECT_FALSE(view->StartRecording());
    EXPECT_FALSE(view->IsCapturing());

    const QString file = folder.file("clip one.avi");
    view->SetRecordFileName(file);
    ASSERT_TRUE(view->StartRecording());
    EXPECT_TRUE(view->IsCapturing());

    // Dialogs are refused while the recording runs.
    int runs = 0;
    SetModalDialogRunner([&](QDialog&) { return ++runs, int(QDialog::Accepted); });
    EXPECT_FALSE(view->Dialogs().ShowDialog(dlgVideoSource));
    view->lbDialogs->setCurrentRow(1);
    view->lbDialogsDblClick();
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(view->IsCapturing());

    ASSERT_TRUE(FramesArrive(30)); // frames keep coming while recording
    EXPECT_TRUE(view->StopRecording());
    EXPECT_FALSE(view->IsCapturing());
    EXPECT_TRUE(view->IsPreviewing());
    EXPECT_FALSE(view->cap->WantCapture); // the profile's setting is back

    const AviFacts avi = Discover(file);
    EXPECT_TRUE(avi.readable);
    EXPECT_EQ(avi.width, 320);
    EXPECT_EQ(avi.height, 240);
    EXPECT_GT(avi.seconds, 0.5);
    // Stopping again changes nothing.
    EXPECT_TRUE(view->StopRecording());
    EXPECT_TRUE(view->IsPreviewing());
}

TEST_F(CameraViewTest, SwitchingOffWhileRecordingFinishesTheFile) {
    ASSERT_TRUE(view->ConnectCamera(true, 0));
    const QString file = folder.file("off.avi");
    view->SetRecordFileName(file);
    ASSERT_TRUE(view->StartRecording());
    ASSERT_TRUE(FramesArrive(15));

    EXPECT_FALSE(view->ConnectCamera(false, 0));
    EXPECT_FALSE(view->IsCapturing());
    EXPECT_FALSE(view->IsPreviewing());
    EXPECT_TRUE(view->Image->isHidden());
    EXPECT_TRUE(Discover(file).readable);
    // Nothing can bring the switched-off camera back through a dialog.
    EXPECT_EQ(view->lbDialogs->count(), 0);
    EXPECT_FALSE(view->Dialogs().ShowDialog(dlgVideoCapturePin));
    EXPECT_FALSE(view->IsPreviewing());
}

TEST_F(CameraViewTest, DestroyingTheViewWhileRecordingFinishesTheFile) {
    ASSERT_TRUE(view->ConnectCamera(true, 0));
    const QString file = folder.file("exit.avi");
    view->SetRecordFileName(file);
    ASSERT_TRUE(view->StartRecording());
    ASSERT_TRUE(FramesArrive(15));
    view.reset();
    EXPECT_TRUE(Discover(file).readable);
}

TEST_F(CameraViewTest, ConnectFailuresReturnFalseAndLeaveTheImageHidden) {
    // Never connected: no error, image hidden.
    EXPECT_FALSE(view->ConnectCamera(false, 0));
    EXPECT_TRUE(view->Image->isHidden());
    EXPECT_FALSE(view->IsPreviewing());

    // A camera number other than 1 or 2 applies nothing.
    view->CameraNumber = 3;
    EXPECT_FALSE(view->ConnectCamera(true, 0));
    EXPECT_FALSE(view->IsPreviewing());
    view->CameraNumber = 1;

    // No video input device on the machine.
    platform::RemoveTestCameras();
    EXPECT_FALSE(view->ConnectCamera(true, 0));
    EXPECT_TRUE(view->Image->isHidden());
    EXPECT_FALSE(view->IsPreviewing());
}

TEST_F(CameraViewTest, SetupScreenConnectsOnceNamesTheDriverAndDisconnectsOnClose) {
    platform::InstallTestCameras({Camera("TORVEK Test Camera 1", "black"), Camera("TORVEK Test Camera 2", "red")});
    view.reset();
    SettingsStore store{platform::ProgramFolder(folder.path())};
    CameraChoiceState choices_;
    choices_.Devices = VideoSourceNames(true);
    DriverAliasRegistry registry(platform::ProgramFolder(folder.path()), store, choices_);
    registry.LoadDriverList();

    int runs = 0;
    bool previewingDuringDialog = false;
    TsetupForm screen(platform::ProgramFolder(folder.path()), registry);
    SetModalDialogRunner([&](QDialog& dialog) {
        if (&dialog != &screen) { // one of the screen's own dialogs
            ++runs;
            previewingDuringDialog = screen.torCap1->IsPreviewing();
            return int(QDialog::Accepted);
        }
        // The screen itself, shown for real so that it activates as on the desktop.
        dialog.show();
        EXPECT_TRUE(WaitFor([&] { return screen.torCap1->IsPreviewing(); }, kWait));
        EXPECT_EQ(screen.windowTitle(), "Cam 2 Driver 2 TORVEK Test Camera 2");
        EXPECT_EQ(screen.DriverAliasText->text(), "Cam 2");
        EXPECT_EQ(registry.SelectedRow(), 1);
        EXPECT_EQ(screen.torCap1->lbDialogs->count(), 2);
        EXPECT_TRUE(screen.torCap1->SetupPanel->isVisible());
        EXPECT_FALSE(screen.torCap1->camName->isVisible());
        EXPECT_FALSE(screen.torCap1->Button2->isVisible());
        screen.torCap1->lbDialogs->setCurrentRow(0);
        screen.torCap1->lbDialogsDblClick();
        EXPECT_TRUE(screen.torCap1->IsPreviewing());
        screen.Button39->click();
        return screen.result();
    });
    EXPECT_EQ(screen.OpenSetupScreen(1, 2), int(QDialog::Accepted));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(previewingDuringDialog);
    EXPECT_FALSE(screen.torCap1->IsPreviewing());
    EXPECT_FALSE(screen.isVisible());
}
