#pragma once
// The zoom window's rules: the zoom rectangle of each camera (top, left and size in the
// settings record's 16-bit arrays, indexed by the camera number 0..4) moved by keys and the
// mouse wheel, the window's caption and size, and the stamp on its snapshot.
#include "platform/PictureCanvas.h"

#include <QSize>
#include <QString>

struct SettingsRecord;

namespace ZoomRules {

enum class ZoomKey { Plus, Minus, Up, Down, Left, Right };

constexpr int kLastCamera = 4;

// A camera number the zoom arrays hold.
constexpr bool IsZoomCamera(int camera) { return camera >= 0 && camera <= kLastCamera; }

// The keys: the size by one, top and left by ten, without bounds; the fields saturate at
// their 16-bit limits instead of wrapping. Nothing for a camera number out of range.
void ApplyZoomKey(SettingsRecord& record, int camera, ZoomKey key);

// The mouse wheel's variant: the size by one; top and left by ten only while the rectangle
// stays clear of the edges of a window heightLimit high and widthLimit wide.
void AdjustZoom(SettingsRecord& record, ZoomKey key, int camera, int heightLimit, int widthLimit);

// "Zoom :T=<top> L=<left> R=<size>".
QString ZoomCaption(const SettingsRecord& record, int camera);

// The window: 200 x 17 while the main window's zoom panel is hidden, 200 x 189 while shown.
QSize ZoomViewSize(bool zoomPanelShown);

// The stamp of a zoom snapshot: the trimmed site and the trimmed camera location, camera 1
// or 2; empty for any other camera (such a snapshot is not taken).
QString ZoomStampText(const SettingsRecord& record, int camera);

// The stamp's point size for a picture: 16 points per 600 pixels of width, at least 1.
int ZoomStampFontSize(int pictureWidth);

// Stamps the picture of camera 1 or 2 at (5, 5) in red, with a transparent background when
// asked. False (nothing drawn) for any other camera.
bool StampZoomPicture(platform::PictureCanvas& picture, const SettingsRecord& record, int camera, bool transparent);

} // namespace ZoomRules
