// The recorded picture as 8-bit RGB, the way it looks on the screen: the
// capture rectangle only, top row first, any of the four depths.
#pragma once
#include <cstdint>
#include <vector>

#include "recording/FrameImage.h"
#include "recording/Geometry.h"

// Width and height of the capture area inside the picture; false when empty.
bool VisibleArea(const FrameImage& image, const Rect& capture, Rect& area);
// RGB triples of area (as VisibleArea gives it), rows from the top of the screen.
void ToRgb(const FrameImage& image, const Rect& area, std::vector<uint8_t>& rgb);
// The click indicator for a held button: a small mouse below and right of
// the pointer with the pressed button in red.
void DrawClick(std::vector<uint8_t>& rgb, const Rect& area, const Point& pointer, bool left,
               bool right);
