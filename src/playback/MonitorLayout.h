// Where the video goes when the saver window covers several monitors: the
// picture laid out within each monitor's rectangle as on a single screen.
// Pure arithmetic, shared by the presenter and its tests.
#pragma once
#include "playback/PresentationLayout.h"

constexpr int kMostMonitors = 16;

// The monitors, screen coordinates; `primary` indexes the one that shows the
// picture when not every monitor does. No monitors: the window is one screen.
struct MonitorArrangement {
    int count = 0;
    int primary = 0;
    Rect areas[kMostMonitors] = {};
};

// One layout per monitor that the window's client area reaches, with the
// monitor's index (0 for the window as one screen). A monitor without the
// picture is one black border.
struct MonitorLayouts {
    int count = 0;
    PresentationLayout layouts[kMostMonitors];
    int monitors[kMostMonitors] = {};
};

MonitorLayouts LayOutMonitors(const MonitorArrangement& monitors, const Rect& client,
                              Point viewportOrigin, const Rect& captureRect, bool scaleToFit,
                              bool everyMonitor);
