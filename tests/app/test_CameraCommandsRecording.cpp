// AVI recording through the whole station's camera side, on test-pattern cameras.
#include "TzonesFixture.h"

#include <gst/pbutils/pbutils.h>

#include <QFileInfo>
#include <QUrl>

using TestSupport::WaitFor;

namespace {

// The size of the first video stream of a file GStreamer can play; empty when it cannot.
QSize PlayableVideoSize(const QString& path) {
    QSize size;
    GstDiscoverer* discoverer = gst_discoverer_new(10 * GST_SECOND, nullptr);
    if (!discoverer)
        return size;
    const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
    GstDiscovererInfo* info = gst_discoverer_discover_uri(discoverer, uri.constData(), nullptr);
    if (info && gst_discoverer_info_get_result(info) == GST_DISCOVERER_OK &&
        gst_discoverer_info_get_duration(info) > 0) {
        GList* videos = gst_discoverer_info_get_video_streams(info);
        if (videos) {
            auto* video = GST_DISCOVERER_VIDEO_INFO(videos->data);
            size = QSize(int(gst_discoverer_video_info_get_width(video)),
                         int(gst_discoverer_video_info_get_height(video)));
        }
        gst_discoverer_stream_info_list_free(videos);
    }
    if (info)
        gst_discoverer_info_unref(info);
    g_object_unref(discoverer);
    return size;
}

} // namespace

TEST_F(CameraStationFixture, RecordingReachesTheChosenFileAndEndsWithStopOrSwitchOff) {
    InstallCameras(2);
    StartStation();
    const auto records = [](const QString& file) {
        return WaitFor([&] { return QFileInfo(file).size() > 200000; }, kWait);
    };
    QString chosen = folder.file("door.mpg");
    fakes.saveFileName = [&](const QString&, const QString&, const QString&) { return chosen; };

    zones->StartCapture11->trigger(); // camera 1 is off: the command switches it on
    EXPECT_TRUE(ButtonIsOn(1));
    ASSERT_TRUE(zones->RecordingActive);
    ASSERT_TRUE(records(folder.file("door.avi")));
    zones->StopCapture1->trigger();
    EXPECT_FALSE(zones->RecordingActive);
    EXPECT_EQ(PlayableVideoSize(folder.file("door.avi")), QSize(320, 240));
    EXPECT_FALSE(QFileInfo::exists(chosen));

    chosen = folder.file("yard");
    zones->StartCapture11->trigger();
    ASSERT_TRUE(records(folder.file("yard.avi")));
    zones->Panel2->click(); // switching the camera off finishes the file
    EXPECT_TRUE(ButtonIsOff(1));
    EXPECT_FALSE(zones->RecordingActive || zones->StartCapture11->isChecked());
    EXPECT_EQ(PlayableVideoSize(folder.file("yard.avi")), QSize(320, 240));
}
