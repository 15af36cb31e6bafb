#pragma once
// The station's one message box. Every user-facing message goes through ShowMessageBox.
#include <QString>
#include <functional>

using MessageBoxHandler = std::function<void(const QString&)>;

// Shows the text in the OK window, modally. While the window is already shown the text waits
// its turn in it (OK brings the next) and this returns at once, as it always did then.
// Does nothing while the quiet flag is set.
void ShowMessageBox(const QString& text);

// The same, once the event being handled is over: for reports from inside a poll or a
// save, so the modal window never holds up the work that told of the failure.
void PostMessageBox(const QString& text);

// The same text in an OK window of its own that nothing waits for, and as one line on stderr:
// for what the station tells while it goes on by itself (a camera lost and back, a damaged
// file set aside). One such window at a time; a later notice waits its turn in it. Handler
// and quiet flag apply as for ShowMessageBox.
void ShowNoticeBox(const QString& text);

// Replaces what ShowMessageBox does with a text (tests record texts instead of showing a
// window). An empty handler restores the OK window.
void SetMessageBoxHandler(MessageBoxHandler handler);

// Once the station has begun to end, nobody may be there to press OK: every message from
// then on, and each one still waiting in a window, is written to stderr as one line and
// nothing waits (the handler and the quiet flag are passed by). Set by the shutdown; tests
// clear it between cases.
void SetMessageBoxShuttingDown(bool ending);
bool MessageBoxShuttingDown();

// The program-wide quiet flag.
void SetMessageBoxQuiet(bool quiet);
bool MessageBoxQuiet();
