#pragma once
// The caption colour table, colour presets and font sizes offered by the caption window.
#include <QColor>
#include <QString>
#include <QStringList>

#include <array>

constexpr int kCaptionColorCount = 6;
// Used when a stored colour index has no colour.
constexpr int kDefaultCaptionTextColor = 0;
constexpr int kDefaultCaptionBackColor = 1;

// Index 0..5 of the colour table; an invalid colour for any other index.
QColor ColorIndexToColor(int index);
bool IsCaptionColorIndex(int index);
// The rows of the window's colour lists, in index order.
QStringList CaptionColorNames();

struct CaptionColorPreset {
    const char* text;
    int textColor;
    int backColor;
    bool transparent;
};
const std::array<CaptionColorPreset, 4>& CaptionColorPresets();

// The rows of the size list.
QStringList CaptionFontSizes();

// The font and brush colours a caption gets from two colour indexes. An index outside the
// table falls back to its default; equal colours (unreadable) give red on black.
struct CaptionPalette {
    QColor font;
    QColor brush;
};
CaptionPalette CaptionPaletteFor(int textIndex, int backIndex);
