#pragma once
// The one question the capture control asks: "Starting capture!" with Yes and Cancel.
// Tests replace the handler to answer it without a window.
#include <QString>

#include <functional>

using CaptureConfirmHandler = std::function<bool(const QString& text)>;

// True when the user answered Yes.
bool ConfirmStartCapture(const QString& text);
// Replaces the question (an empty handler restores the window).
void SetCaptureConfirmHandler(CaptureConfirmHandler handler);
