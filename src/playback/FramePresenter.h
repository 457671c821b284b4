// Brings the capture rectangle of a recording's picture onto the screen: a
// copy in the display's format (the frame surface) refreshed from the dirty
// rectangles, blitted to the window scaled or at natural size, black borders.
// The window is black wherever it shows no picture.
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

void Render(RecordingFile& recording, HWND window, HDC dc, bool drawClicks, bool scaleToFit,
            PaintScope scope = PaintScope::kWhole, Screens screens = Screens::kClientArea);

bool CreateFrameSurface(RecordingFile& recording);
void ReleaseFrameSurface(RecordingFile& recording);
bool UpdateFrameSurface(RecordingFile& recording);

// Copies image pixels (memory rows from imageY down) into dc, 1:1 or stretched.
bool BlitFrameRect(const RecordingFile& recording, HDC dc, int x, int y, int imageX, int imageY,
                   int width, int height);
bool StretchFrameRect(const RecordingFile& recording, HDC dc, int x, int y, int width, int height,
                      int imageX, int imageY, int imageWidth, int imageHeight, int stretchMode);
