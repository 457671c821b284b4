#include "playback/DisplayObjects.h"

#include <algorithm>

#include "playback/ScreenMonitors.h"

namespace {

struct DisplayObjects {
    IDirectDraw* directDraw = nullptr;
    IDirectDrawSurface* primarySurface = nullptr;
    IDirectDrawSurface* backSurface = nullptr;
    IDirectDrawClipper* clipper = nullptr;
    MonitorArrangement monitors;
};
DisplayObjects display;

// The largest monitor's width and height; the primary screen's when the
// system reports no monitors.
SIZE LargestMonitor(const MonitorArrangement& monitors) {
    if (monitors.count == 0)
        return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SIZE largest{0, 0};
    for (int i = 0; i < monitors.count; ++i) {
        const Rect& r = monitors.areas[i];
        largest.cx = std::max<LONG>(largest.cx, r.right - r.left);
        largest.cy = std::max<LONG>(largest.cy, r.bottom - r.top);
    }
    return largest;
}

bool SetUp(HWND window) {
    if (DirectDrawCreate(nullptr, &display.directDraw, nullptr) != DD_OK)
        return false;
    if (display.directDraw->SetCooperativeLevel(window, DDSCL_NORMAL) != DD_OK)
        return false;
    DDSURFACEDESC primary = {};
    primary.dwSize = sizeof primary;
    primary.dwFlags = DDSD_CAPS;
    primary.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (display.directDraw->CreateSurface(&primary, &display.primarySurface, nullptr) != DD_OK)
        return false;
    display.monitors = EnumerateMonitors();
    const SIZE back = LargestMonitor(display.monitors);
    display.backSurface = CreatePlainSurface(DWORD(back.cx), DWORD(back.cy));
    if (!display.backSurface)
        return false;
    if (display.directDraw->CreateClipper(0, &display.clipper, nullptr) != DD_OK)
        return false;
    return display.clipper->SetHWnd(0, window) == DD_OK &&
           display.primarySurface->SetClipper(display.clipper) == DD_OK;
}

}  // namespace

bool InitDisplay(HWND window) {
    ReleaseDisplay();
    if (SetUp(window))
        return true;
    ReleaseDisplay();
    return false;
}

void ReleaseDisplay() {
    if (display.primarySurface)
        display.primarySurface->SetClipper(nullptr);
    ReleaseObject(display.clipper);
    ReleaseObject(display.backSurface);
    ReleaseObject(display.primarySurface);
    ReleaseObject(display.directDraw);
    display.monitors = MonitorArrangement{};
}

IDirectDraw* GetDirectDraw() {
    return display.directDraw;
}
IDirectDrawSurface* GetPrimarySurface() {
    return display.primarySurface;
}
IDirectDrawSurface* GetBackSurface() {
    return display.backSurface;
}

const MonitorArrangement& GetMonitors() {
    return display.monitors;
}

IDirectDrawSurface* CreatePlainSurface(DWORD width, DWORD height) {
    if (!display.directDraw)
        return nullptr;
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = width;
    desc.dwHeight = height;
    IDirectDrawSurface* surface = nullptr;
    return display.directDraw->CreateSurface(&desc, &surface, nullptr) == DD_OK ? surface : nullptr;
}
