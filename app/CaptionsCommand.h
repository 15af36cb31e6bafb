#pragma once
// The tool bar's "Captions" button: the caption settings window with a live frame.
class CaptionSettings;
class TFontSettings;
class Tzones;

void BindCaptionsCommand(Tzones& zones, TFontSettings& window, CaptionSettings& settings);
