#pragma once
// The tool bar's "Captions" button: the caption settings window with a live frame.
class CaptionSettings;
class TFontSettings;
class MainWindow;

void BindCaptionsCommand(MainWindow& mainWindow, TFontSettings& window, CaptionSettings& settings);
