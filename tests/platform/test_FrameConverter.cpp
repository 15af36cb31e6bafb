// The live view's conversion: its pictures are GStreamer's conversion element's own pixels
// (chroma-mode none) whatever stripes it redoes and however many pictures are still held
// elsewhere, and the rows it reports as changed hold every change.
#include "platform/FrameConverter.h"
#include "platform/MediaDevices.h"

#include <gtest/gtest.h>

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

#include <cstring>
#include <vector>

using namespace platform;

namespace {

// The next sample of an appsink in the pipeline, null at the end.
GstSample* Pull(GstElement* pipeline, const char* name) {
    GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), name);
    GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink), 20 * GST_SECOND);
    gst_object_unref(sink);
    return sample;
}

} // namespace

TEST(FrameConverter, PicturesAreTheConversionElementsPixelsAndTheChangedRowsHoldEveryChange) {
    ASSERT_TRUE(MediaInitialize());
    // 250 rows: the last stripe is a short one.
    for (const char* format : {"YUY2", "I420", "NV12", "RGB"}) {
        SCOPED_TRACE(format);
        const QString description =
            QString("videotestsrc pattern=ball num-buffers=14 ! video/x-raw,format=%1,width=320,"
                    "height=250,framerate=30/1 ! tee name=t t. ! queue ! appsink name=raw sync=false "
                    "t. ! queue ! videoconvert chroma-mode=none ! video/x-raw,format=BGRx ! appsink "
                    "name=reference sync=false")
                .arg(format);
        GError* error = nullptr;
        GstElement* pipeline = gst_parse_launch(description.toUtf8().constData(), &error);
        ASSERT_TRUE(pipeline) << (error ? error->message : "");
        ASSERT_NE(gst_element_set_state(pipeline, GST_STATE_PLAYING), GST_STATE_CHANGE_FAILURE);

        FrameConverter converter;
        std::vector<QImage> held; // pictures still shown elsewhere: never written again
        QImage previous;
        int frames = 0;
        while (GstSample* raw = Pull(pipeline, "raw")) {
            GstSample* reference = Pull(pipeline, "reference");
            ASSERT_TRUE(reference);
            GstVideoInfo info, referenceInfo;
            GstVideoFrame frame, expected;
            ASSERT_TRUE(gst_video_info_from_caps(&info, gst_sample_get_caps(raw)));
            ASSERT_TRUE(gst_video_info_from_caps(&referenceInfo, gst_sample_get_caps(reference)));
            ASSERT_TRUE(gst_video_frame_map(&frame, &info, gst_sample_get_buffer(raw), GST_MAP_READ));
            ASSERT_TRUE(gst_video_frame_map(&expected, &referenceInfo, gst_sample_get_buffer(reference),
                                            GST_MAP_READ));
            const QImage picture = converter.Convert(frame);
            ASSERT_EQ(picture.size(), QSize(320, 250));
            for (int y = 0; y < 250; ++y) {
                const auto* want = static_cast<const uchar*>(GST_VIDEO_FRAME_PLANE_DATA(&expected, 0)) +
                                   y * GST_VIDEO_FRAME_PLANE_STRIDE(&expected, 0);
                ASSERT_EQ(memcmp(picture.constScanLine(y), want, 320 * 4), 0) << "frame " << frames << " row " << y;
            }
            for (const QImage& earlier : held) // a held picture keeps its frame
                ASSERT_NE(earlier.cacheKey(), picture.cacheKey());
            if (!previous.isNull()) {
                for (int y = 0; y < 250; ++y) {
                    if (memcmp(previous.constScanLine(y), picture.constScanLine(y), 320 * 4) != 0) {
                        EXPECT_GE(y, converter.ChangedTop()) << "frame " << frames;
                        EXPECT_LE(y, converter.ChangedBottom()) << "frame " << frames;
                    }
                }
            }
            previous = picture.copy();
            // Hold some pictures for good (more than the pool has), let the others go.
            if (frames % 3 == 0) held.push_back(picture);
            gst_video_frame_unmap(&frame);
            gst_video_frame_unmap(&expected);
            gst_sample_unref(raw);
            gst_sample_unref(reference);
            ++frames;
        }
        EXPECT_EQ(frames, 14);
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pipeline);
    }
}

TEST(FrameConverter, KnownChangesAddUpAlongThePicturesHandedOn) {
    NoteFrameChange(9001, 9002, 10, 20);
    NoteFrameChange(9002, 9003, 40, 50);
    NoteFrameChange(9003, 9004, 0, -1); // nothing changed
    int top = -7, bottom = -7;
    ASSERT_TRUE(KnownFrameChange(9001, 9004, top, bottom));
    EXPECT_EQ(top, 10);
    EXPECT_EQ(bottom, 50);
    ASSERT_TRUE(KnownFrameChange(9003, 9004, top, bottom));
    EXPECT_GT(top, bottom);
    ASSERT_TRUE(KnownFrameChange(9004, 9004, top, bottom));
    EXPECT_GT(top, bottom);
    // Backwards, or from a picture that was never handed on: not known.
    EXPECT_FALSE(KnownFrameChange(9004, 9001, top, bottom));
    EXPECT_FALSE(KnownFrameChange(8000, 9004, top, bottom));
}
