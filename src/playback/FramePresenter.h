// Brings the capture rectangle of a recording's picture onto the screen: each
// monitor's picture is the video resampled to its layout (scaled, or at
// natural size) with the click indicator laid over it, composed where the
// video changed and copied 1:1 to the screen, with black borders. The window
// is black wherever it shows no picture.
#pragma once
#include <windows.h>

class RecordingFile;

// What a paint brings to the screen: the whole window (WM_PAINT, the first
// frame, a new layout), or only what changed since the last paint: this
// paint's dirty rectangles and the click marks' old and new places.
enum class PaintScope { kWhole, kChanges };

// Where the picture goes: the whole client area as one screen (the preview),
// or each monitor the window covers, with the picture on the primary monitor
// only or on every monitor (the monitors as the display objects found them).
enum class Screens { kClientArea, kPrimaryMonitor, kEveryMonitor };

// `monitor`: the one monitor to paint (its index among the system's
// monitors; 0 while they are not known), or all of them.
constexpr int kAllMonitors = -1;
void Render(RecordingFile& recording, HWND window, HDC dc, bool drawClicks, bool scaleToFit,
            PaintScope scope = PaintScope::kWhole, Screens screens = Screens::kClientArea,
            int monitor = kAllMonitors);

// The video changed beyond its dirty rectangles (a new capture rectangle):
// the next paint composes every picture whole.
void ForgetPictures(RecordingFile& recording);
// Releases the pictures' surfaces; before the display objects go.
void ReleasePictures();
