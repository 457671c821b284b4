// The desktop's monitors as the system reports them.
#pragma once
#include "playback/MonitorLayout.h"

// Every monitor's rectangle in screen coordinates, at most kMostMonitors, with
// the primary one marked; none when the system reports none.
MonitorArrangement EnumerateMonitors();
