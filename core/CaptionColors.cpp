#include "core/CaptionColors.h"

namespace {

constexpr QRgb kColors[kCaptionColorCount] = {
    0xFFFFFF, // White
    0x000000, // Black
    0xFF0000, // RED
    0x0000FF, // BLUE
    0xFFFF00, // Yellow
    0xC0C0C0, // Silver
};

} // namespace

bool IsCaptionColorIndex(int index) {
    return index >= 0 && index < kCaptionColorCount;
}

QColor ColorIndexToColor(int index) {
    if (!IsCaptionColorIndex(index))
        return QColor();
    return QColor::fromRgb(kColors[index]);
}

QStringList CaptionColorNames() {
    return {QStringLiteral("White"), QStringLiteral("Black"), QStringLiteral("RED"),
            QStringLiteral("BLUE"),  QStringLiteral("Yellow"), QStringLiteral("Silver")};
}

const std::array<CaptionColorPreset, 4>& CaptionColorPresets() {
    static const std::array<CaptionColorPreset, 4> presets = {{
        {"Black Font No Background", 1, 0, true},
        {"White Font No Background", 0, 1, true},
        {"Black Font White Background", 1, 0, false},
        {"White Font Black Background", 0, 1, false},
    }};
    return presets;
}

QStringList CaptionFontSizes() {
    return {QStringLiteral("8"),  QStringLiteral("9"),  QStringLiteral("10"), QStringLiteral("11"),
            QStringLiteral("12"), QStringLiteral("14"), QStringLiteral("16")};
}

CaptionPalette CaptionPaletteFor(int textIndex, int backIndex) {
    const QColor text = ColorIndexToColor(IsCaptionColorIndex(textIndex) ? textIndex : kDefaultCaptionTextColor);
    const QColor back = ColorIndexToColor(IsCaptionColorIndex(backIndex) ? backIndex : kDefaultCaptionBackColor);
    if (text == back)
        return {QColor(Qt::red), QColor(Qt::black)};
    return {text, back};
}
