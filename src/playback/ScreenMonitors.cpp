#include "playback/ScreenMonitors.h"

#include <windows.h>

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MonitorArrangement& found = *reinterpret_cast<MonitorArrangement*>(data);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (found.count == kMostMonitors || !GetMonitorInfoA(monitor, &info))
        return TRUE;
    const RECT& r = info.rcMonitor;
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        found.primary = found.count;
    found.areas[found.count++] = {r.left, r.top, r.right, r.bottom};
    return TRUE;
}

}  // namespace

MonitorArrangement EnumerateMonitors() {
    MonitorArrangement found;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&found));
    return found;
}
