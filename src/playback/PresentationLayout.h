// Where the video goes in the saver window: the picture rectangle on the
// screen, the area of the video it shows, and the borders around it.
// Pure arithmetic, shared by the presenter and its tests.
#pragma once
#include "recording/Geometry.h"

struct PresentationLayout {
    bool visible = false;  // false for a window of zero width or height
    bool scaled = false;
    float scale = 1.0f;
    Rect picture = {};  // screen coordinates, clipped to the window
    Rect source = {};   // inside the capture rectangle, its top-left corner at (0, 0)
    int borderCount = 0;
    Rect borders[4] = {};
};

// client: the window's client area in screen coordinates; viewportOrigin: the
// painting context's viewport origin (zero for a paint context).
PresentationLayout LayOutPicture(const Rect& client, Point viewportOrigin, const Rect& captureRect,
                                 bool scaleToFit);

// Where a rectangle of the picture (capture coordinates, its top-left corner
// at (0, 0)) shows: `source` is as much of it as the layout shows, `screen`
// the screen rectangle a blit of `source` covers. When scaling, `screen` is
// rounded outward to whole pixels, so that rectangles blitted one by one leave
// no seam between them. False when nothing of the rectangle is shown.
bool MapToScreen(const PresentationLayout& layout, const Rect& pictureRect, Rect& source,
                 Rect& screen);
