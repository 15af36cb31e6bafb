#pragma once
// A grabbed frame as the capture control delivers it: a 24-bit RGB image.
#include <QImage>

class CapturedBitmap : public QImage {
public:
    CapturedBitmap() = default;
    explicit CapturedBitmap(const QImage& image)
        : QImage(image.format() == QImage::Format_RGB888
                     ? image
                     : image.convertToFormat(QImage::Format_RGB888)) {}
};
