// Where the video goes in the saver window: the picture rectangle on the
// screen, where the whole video would lie, and the borders around it.
// Pure arithmetic, shared by the presenter and its tests.
#pragma once
#include "recording/Geometry.h"

struct PresentationLayout {
    bool visible = false;  // false for a window of zero width or height
    Rect area = {};        // what the layout fills: the picture and the borders
    bool scaled = false;
    float scale = 1.0f;
    Rect picture = {};       // screen coordinates, clipped to the window
    Rect wholePicture = {};  // where the whole capture goes, scaled or not, before clipping
    int borderCount = 0;
    Rect borders[4] = {};
};

// client: the window's client area in screen coordinates; viewportOrigin: the
// painting context's viewport origin (zero for a paint context).
PresentationLayout LayOutPicture(const Rect& client, Point viewportOrigin, const Rect& captureRect,
                                 bool scaleToFit);
