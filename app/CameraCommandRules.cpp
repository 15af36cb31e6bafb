#include "app/CameraCommandRules.h"

#include "core/DateTimeFormat.h"
#include "core/Helpers.h"

#include <limits>

namespace CameraCommandRules {

namespace {
constexpr int kNarrowWindow = 400;
constexpr int kDefaultCycleMs = 10000;
} // namespace

QString SuggestedVideoFileName(const QDateTime& now) {
    return FormatDateTime(QStringLiteral("V1hhmmss"), now);
}

QString WithAviExtension(const QString& fileName) {
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > slash ? fileName.left(dot) : fileName;
    return stem + QStringLiteral(".avi");
}

int NextCyclePosition(int position, int deviceCount) {
    if (position < 0 || position >= deviceCount - 1)
        return 0;
    return position + 1;
}

int PreviousCyclePosition(int position, int deviceCount) {
    const int previous = position - 1;
    if (previous < 0)
        return deviceCount > 0 ? deviceCount - 1 : 0;
    return previous;
}

int CycleIntervalMs(const QString& secondsText) {
    const qint32 seconds = SafeStrToInt(secondsText);
    if (seconds < 1)
        return kDefaultCycleMs;
    constexpr qint32 kMaxSeconds = std::numeric_limits<int>::max() / 1000;
    return (seconds > kMaxSeconds ? kMaxSeconds : seconds) * 1000;
}

ViewToggle DecideViewToggle(int windowWidth, bool toolbarVisible) {
    const bool narrow = windowWidth < kNarrowWindow;
    if (!toolbarVisible && narrow)
        return ViewToggle::ShowToolbarNarrow;
    if (narrow || !toolbarVisible)
        return ViewToggle::ShowToolbar;
    return ViewToggle::NothingToDo;
}

} // namespace CameraCommandRules
