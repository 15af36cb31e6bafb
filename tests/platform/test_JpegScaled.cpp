#include "platform/Jpeg.h"

#include <gtest/gtest.h>

TEST(JpegScaled, DecodesSmallerOnlyWhileTheResultStillCoversTheSizeAsked) {
    QImage frame(640, 480, QImage::Format_RGB888);
    frame.fill(QColor(200, 40, 40));
    QByteArray jpeg;
    ASSERT_TRUE(platform::EncodeJpeg(frame, 90, &jpeg));
    const std::pair<QSize, QSize> cases[] = {
        {QSize(), QSize(640, 480)},           {QSize(132, 102), QSize(160, 120)},
        {QSize(80, 60), QSize(80, 60)},       {QSize(10, 10), QSize(80, 60)},
        {QSize(320, 240), QSize(320, 240)},   {QSize(321, 100), QSize(640, 480)},
        {QSize(830, 714), QSize(640, 480)},   {QSize(100, 241), QSize(640, 480)},
    };
    for (const auto& [atLeast, expected] : cases) {
        QImage out;
        ASSERT_TRUE(platform::DecodeJpegAtLeast(jpeg, atLeast, &out));
        EXPECT_EQ(out.size(), expected) << atLeast.width() << "x" << atLeast.height();
        EXPECT_NEAR(qRed(out.pixel(out.width() / 2, out.height() / 2)), 200, 8);
    }
    QImage out;
    QString why;
    EXPECT_FALSE(platform::DecodeJpegAtLeast(jpeg.left(200), QSize(80, 60), &out, &why));
    EXPECT_TRUE(out.isNull());
}
