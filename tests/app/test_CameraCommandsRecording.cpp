// AVI recording through the whole station's camera side, on test-pattern cameras.
#include "MainWindowFixture.h"

#include <gst/pbutils/pbutils.h>

#include <QFileInfo>
#include <QUrl>

using TestSupport::WaitFor;

namespace {

// The size of the first video stream of a file GStreamer can play, or why it cannot.
QString Playable(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile())
        return "missing";
    GstDiscoverer* discoverer = gst_discoverer_new(30 * GST_SECOND, nullptr);
    if (!discoverer)
        return "no discoverer";
    const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
    GError* error = nullptr;
    GstDiscovererInfo* info = gst_discoverer_discover_uri(discoverer, uri.constData(), &error);
    QString said = QStringLiteral("%1 bytes: ").arg(file.size());
    if (error)
        said += QString::fromUtf8(error->message);
    else if (!info || gst_discoverer_info_get_result(info) != GST_DISCOVERER_OK)
        said += "not recognised";
    else if (gst_discoverer_info_get_duration(info) <= 0)
        said += "no duration (the file has no end)";
    else if (GList* videos = gst_discoverer_info_get_video_streams(info)) {
        auto* video = GST_DISCOVERER_VIDEO_INFO(videos->data);
        said = QStringLiteral("%1x%2").arg(gst_discoverer_video_info_get_width(video))
                   .arg(gst_discoverer_video_info_get_height(video));
        gst_discoverer_stream_info_list_free(videos);
    } else {
        said += "no video stream";
    }
    if (error)
        g_error_free(error);
    if (info)
        gst_discoverer_info_unref(info);
    g_object_unref(discoverer);
    return said;
}

} // namespace

TEST_F(CameraStationFixture, RecordingReachesTheChosenFileAndEndsWithStopOrSwitchOff) {
    InstallCameras(2);
    StartStation();
    const auto records = [](const QString& file) {
        return WaitFor([&] { return QFileInfo(file).size() > 1000000; }, kWait); // a few pictures
    };
    QString chosen = folder.file("door.mpg");
    fakes.saveFileName = [&](const QString&, const QString&, const QString&) { return chosen; };

    mainWindow->recordCamera1Action->trigger(); // camera 1 is off: the command switches it on
    EXPECT_TRUE(ButtonIsOn(1));
    ASSERT_TRUE(mainWindow->RecordingActive);
    ASSERT_TRUE(records(folder.file("door.avi")));
    mainWindow->stopRecordingAction->trigger();
    EXPECT_FALSE(mainWindow->RecordingActive);
    // A file without its end, or without a picture, is told.
    EXPECT_EQ(messages.filter("Camera 1"), QStringList());
    EXPECT_EQ(Playable(folder.file("door.avi")), "320x240");
    EXPECT_FALSE(QFileInfo::exists(chosen));

    chosen = folder.file("yard");
    mainWindow->recordCamera1Action->trigger();
    ASSERT_TRUE(records(folder.file("yard.avi")));
    mainWindow->camera1Button->click(); // switching the camera off finishes the file
    EXPECT_TRUE(ButtonIsOff(1));
    EXPECT_FALSE(mainWindow->RecordingActive || mainWindow->recordCamera1Action->isChecked());
    EXPECT_EQ(messages.filter("Camera 1"), QStringList());
    EXPECT_EQ(Playable(folder.file("yard.avi")), "320x240");
}
