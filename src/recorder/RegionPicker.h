// A rectangle dragged on the screen with the mouse: the screen is shown still
// under a cross pointer, the rectangle drawn as it is dragged. Esc or the
// right button cancels.
#pragma once
#include <windows.h>

// Runs until the user has dragged a rectangle (true, in screen
// coordinates) or cancelled (false).
bool PickRegion(RECT& picked);
