#include "playback/DisplayObjects.h"

#include "playback/ScreenMonitors.h"

namespace {

struct DisplayObjects {
    IDirectDraw* directDraw = nullptr;
    IDirectDrawSurface* primarySurface = nullptr;
    IDirectDrawClipper* clipper = nullptr;
    MonitorArrangement monitors;
};
DisplayObjects display;

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
