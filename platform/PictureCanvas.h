#pragma once
// A 24-bit picture with the drawing state a bitmap canvas keeps between calls: font (name,
// point size, colour), brush colour, pen colour, background mode. Text is placed by the
// top-left corner of its character cell; in opaque mode the brush colour fills the cell first.
// Point sizes are converted to pixels at 96 DPI, whatever the screen.
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QRegion>
#include <QString>

#include <optional>

namespace platform {

class PictureCanvas {
public:
    enum class BackgroundMode { Opaque, Transparent };

    PictureCanvas();
    // The picture is converted to RGB888 when it has another format.
    explicit PictureCanvas(const QImage& image);

    // Replaces the picture; the drawing state stays, as a canvas keeps it when a bitmap is
    // assigned.
    void SetImage(const QImage& image);
    // The same, but a 32-bit picture (a live frame, or a premultiplied overlay) is taken as it
    // is, unconverted.
    void ShareImage(const QImage& image);
    // The areas text and fills were drawn on since the picture was set.
    const QRegion& Touched() const { return touched_; }
    const QImage& Image() const { return image_; }
    QImage& Image() { return image_; }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }

    const QString& FontName() const { return fontName_; }
    void SetFontName(const QString& name);
    int FontSize() const { return fontSize_; }
    // Point size; values below 1 are ignored.
    void SetFontSize(int points);
    QColor FontColor() const { return fontColor_; }
    void SetFontColor(const QColor& color) { fontColor_ = color; }
    QColor BrushColor() const { return brushColor_; }
    void SetBrushColor(const QColor& color) { brushColor_ = color; }
    QColor PenColor() const { return penColor_; }
    void SetPenColor(const QColor& color) { penColor_ = color; }
    BackgroundMode Background() const { return background_; }
    void SetBackground(BackgroundMode mode) { background_ = mode; }
    bool IsTransparent() const { return background_ == BackgroundMode::Transparent; }
    void SetTransparent(bool transparent) {
        background_ = transparent ? BackgroundMode::Transparent : BackgroundMode::Opaque;
    }

    // The font as Qt sees it, with its pixel size.
    const QFont& Font() const;
    // The pixel height of a point size at 96 DPI.
    static int PointsToPixels(int points);

    // Text cell size in the current font.
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

    void TextOut(int x, int y, const QString& text);
    // Fills left..right-1, top..bottom-1 with the brush colour.
    void FillRect(int left, int top, int right, int bottom);
    // A one-pixel outline in the pen colour around left..right-1, top..bottom-1.
    void FrameRect(int left, int top, int right, int bottom);
    // A line from the current position up to, not including, (x, y), which becomes current.
    void MoveTo(int x, int y);
    void LineTo(int x, int y);

private:
    void SetPixel(int x, int y, const QColor& color);
    void InvalidateFont() { font_.reset(); metrics_.reset(); }
    const QFontMetrics& Metrics() const;

    QImage image_;
    QRegion touched_;
    QString fontName_;
    int fontSize_ = 8;
    QColor fontColor_ = Qt::black;
    QColor brushColor_ = Qt::white;
    QColor penColor_ = Qt::black;
    BackgroundMode background_ = BackgroundMode::Opaque;
    int penX_ = 0;
    int penY_ = 0;
    mutable std::optional<QFont> font_;
    mutable std::optional<QFontMetrics> metrics_;
};

} // namespace platform
