#pragma once
// The tool bar's "Captions" button: the caption settings window with a live frame.
class CaptionSettings;
class CaptionFontDialog;
class MainWindow;

void BindCaptionsCommand(MainWindow& mainWindow, CaptionFontDialog& window, CaptionSettings& settings);
