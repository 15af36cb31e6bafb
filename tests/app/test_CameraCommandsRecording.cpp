// The camera commands on real camera views with test-pattern cameras.
#include "CameraStationFixture.h"
#include "CommandsFixture.h"

#include "app/CommandCameras.h"
#include "app/StationCommands.h"
#include "capture/CaptureDevices.h"
#include "capture/CaptureFlags.h"
#include "capture/TtorCap.h"
#include "platform/MediaTestCameras.h"

#include <gst/pbutils/pbutils.h>

#include <QFileInfo>
#include <QUrl>

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

class LiveCommandsFixture : public CommandsFixture {
protected:
    std::unique_ptr<CommandCameras> cameras;

    void SetUp() override {
        CommandsFixture::SetUp();
        CaptureErrorFlag = 0;
        CameraQueriesSuspended = 0;
        platform::InstallTestCameras(platform::DefaultTestCameras(2));
        hooks.CreateVideoCap = [this](QWidget* parent, const QString& name) -> QWidget* {
            auto* view = new TtorCap(platform::ProgramFolder(folder.path()), parent);
            view->setObjectName(name);
            view->CameraNumber = name.endsWith(QLatin1Char('1')) ? 1 : 2;
            return view;
        };
        cameras = std::make_unique<CommandCameras>(
            [this](int camera) { return camera == 1 ? zones->VideoCap1 : zones->VideoCap2; });
        hooks.CommandCameraView = [this](int camera) { return cameras->View(camera); };
    }

    void TearDown() override {
        CommandsFixture::TearDown();
        cameras.reset();
        platform::RemoveTestCameras();
        ClearDeviceLists();
        CameraQueriesSuspended = 0;
    }

    bool ShowsFrames(int camera) {
        return WaitFor([&] { return !zones->CameraView(camera)->ImageBitmap().isNull(); }, kWait);
    }
};

} // namespace

TEST_F(LiveCommandsFixture, RecordingFromTheMenuLeavesAPlayableAviAtTheChosenPath) {
    CreateWindow();
    ASSERT_NE(qobject_cast<TtorCap*>(zones->VideoCap1), nullptr);
    ASSERT_TRUE(zones->CameraView(1)->ConnectCamera(true, 0));
    ASSERT_TRUE(zones->CameraPreviews(1));
    ASSERT_TRUE(ShowsFrames(1));

    hooks.AskSaveFileName = [&](const QString&, const QString&, const QString&) {
        return folder.file("gate one.mpg");
    };
    const QString file = folder.file("gate one.avi");
    zones->StartCapture11->trigger();
    ASSERT_TRUE(zones->RecordingActive);
    ASSERT_TRUE(zones->CameraView(1)->IsCapturing());
    ASSERT_TRUE(WaitFor([&] { return QFileInfo(file).size() > 200000; }, kWait));

    zones->StopCapture1->trigger();
    EXPECT_FALSE(zones->RecordingActive);
    EXPECT_FALSE(zones->CameraView(1)->IsCapturing());
    EXPECT_TRUE(zones->CameraPreviews(1)); // the preview carries on
    const AviFacts avi = Discover(file);
    EXPECT_TRUE(avi.readable);
    EXPECT_EQ(avi.width, 320);
    EXPECT_EQ(avi.height, 240);
    EXPECT_GT(avi.seconds, 0.0);
    EXPECT_FALSE(QFileInfo::exists(folder.file("gate one.mpg")));
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
}

TEST_F(LiveCommandsFixture, CameraSetupFinishesARecordingAndFreesTheViews) {
    CreateWindow();
    FillLists(2);
    ASSERT_TRUE(zones->CameraView(2)->ConnectCamera(true, 1));
    ASSERT_TRUE(ShowsFrames(2));
    hooks.AskSaveFileName = [&](const QString&, const QString&, const QString&) { return folder.file("yard"); };
    zones->StartCapture21Click();
    ASSERT_TRUE(zones->RecordingActive);
    ASSERT_TRUE(WaitFor([&] { return QFileInfo(folder.file("yard.avi")).size() > 200000; }, kWait));

    bool framesGone = false;
    hooks.SuspendCameraQueries = [](bool on) { CameraQueriesSuspended = on ? 1 : 0; };
    hooks.OpenSetupScreen = [&](int, int) { framesGone = !zones->VideoCap1 && !zones->VideoCap2; };
    zones->CameraSetupAndRestart(2);
    EXPECT_TRUE(framesGone);
    EXPECT_EQ(terminated, 1);
    EXPECT_FALSE(zones->RecordingActive);
    const AviFacts avi = Discover(folder.file("yard.avi"));
    EXPECT_TRUE(avi.readable);
    EXPECT_EQ(avi.width, 320);
}

namespace {

// The whole station's camera side: switching bound, the commands on its camera views.
class StationCommandsFixture : public CameraStationFixture {
protected:
    std::unique_ptr<StationCommands> commands;

    void TearDown() override {
        commands.reset();
        CameraStationFixture::TearDown();
    }
};

} // namespace

TEST_F(StationCommandsFixture, RecordingSwitchesTheCameraOnAndSwitchingItOffEndsTheFile) {
    InstallCameras(2);
    StartStation();
    commands = std::make_unique<StationCommands>(*zones, hooks);
    ASSERT_EQ(zones->cam1List->count(), 2);
    QString suggested;
    hooks.AskSaveFileName = [&](const QString&, const QString&, const QString& name) {
        suggested = name;
        return folder.file("door.avi");
    };

    zones->StartCapture11->trigger();
    EXPECT_TRUE(ButtonIsOn(1));
    EXPECT_EQ(suggested.size(), 8);
    EXPECT_TRUE(suggested.startsWith("V1"));
    ASSERT_TRUE(zones->RecordingActive);
    ASSERT_TRUE(WaitFor([&] { return QFileInfo(folder.file("door.avi")).size() > 200000; }, kWait));

    // The camera button switches the camera off: the file is finished and plays.
    zones->Panel2->click();
    EXPECT_TRUE(ButtonIsOff(1));
    EXPECT_FALSE(zones->RecordingActive);
    EXPECT_FALSE(zones->StartCapture11->isChecked());
    const AviFacts avi = Discover(folder.file("door.avi"));
    EXPECT_TRUE(avi.readable);
    EXPECT_EQ(avi.width, 320);
    EXPECT_EQ(avi.height, 240);
}
