// Which part of the screen a recording takes, and whether it can be recorded.
// Platform-free.
#pragma once
#include <string>

#include "recording/Geometry.h"

// Why the region cannot be recorded on a screen of the given extent (all
// monitors together), or empty when it can: it must have a width and a
// height and lie wholly on the screen.
std::string RegionProblem(const Rect& region, const Rect& screen);

// "(LEFT, TOP)-(RIGHT, BOTTOM)"
std::string RectText(const Rect& r);
