#pragma once
// The rules behind the main window's camera commands that need no window: the suggested
// AVI file name, the cycle position, the cycle interval and the view toggle's decision.
#include <QDateTime>
#include <QString>

namespace CameraCommandRules {

// The save dialog's suggestion: "V1" and the time as hhmmss (both cameras use "V1").
QString SuggestedVideoFileName(const QDateTime& now);
// The chosen name with its extension replaced by ".avi" (added when it has none); only the
// last path component's extension counts, so a dot in a folder name is left alone.
QString WithAviExtension(const QString& fileName);

// The next device shown by cycling: 0 when the position is at or past the last index (or
// before the first), else one on.
int NextCyclePosition(int position, int deviceCount);
// One back for "Stop", wrapping below 0 to the last index.
int PreviousCyclePosition(int position, int deviceCount);
// cycleTimer's interval for the text of the `cycleSecondsEdit` edit: seconds x 1000, 10000 below 1
// second; values too large for a timer are held at the largest whole second it can take.
int CycleIntervalMs(const QString& secondsText);

// What the view toggle does for the window's width and the tool bar's visibility.
enum class ViewToggle {
    ShowToolbarNarrow, // hidden tool bar on a narrow window: show it, full view
    ShowToolbar,       // show it, full view, frames resized on the full tool bar layout
    NothingToDo,       // wide window with the tool bar shown: the click takes a picture
};
ViewToggle DecideViewToggle(int windowWidth, bool toolbarVisible);
// True when the click was used to bring the tool bar back (no picture is taken).
inline bool ToolbarRestored(ViewToggle toggle) { return toggle != ViewToggle::NothingToDo; }

} // namespace CameraCommandRules
