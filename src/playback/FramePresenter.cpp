#include "playback/FramePresenter.h"

#include <cstdlib>

#include "playback/ClickMarks.h"
#include "playback/DisplayObjects.h"
#include "playback/MonitorLayout.h"
#include "playback/ScreenPicture.h"
#include "playback/ScreenTarget.h"
#include "recording/RecordingFile.h"

namespace {

// What each monitor shows since the last paint.
ScreenPicture pictures[kMostMonitors];

// A test-only switch: every paint brings the whole picture, as a baseline
// for measuring the change-only paint.
bool WholePaintsOnly() {
    static const bool whole = std::getenv("QUORVANE_TEST_WHOLE_PAINTS") != nullptr;
    return whole;
}

Rect ClientOnScreen(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    POINT topLeft{client.left, client.top}, bottomRight{client.right, client.bottom};
    ClientToScreen(window, &topLeft);
    ClientToScreen(window, &bottomRight);
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

MonitorLayouts LayOut(const RecordingFile& r, HDC dc, const Rect& client, bool scaleToFit,
                      Screens screens) {
    POINT origin{0, 0};
    if (dc)
        GetViewportOrgEx(dc, &origin);
    static const MonitorArrangement oneScreen;
    return LayOutMonitors(screens == Screens::kClientArea ? oneScreen : GetMonitors(), client,
                          Point{origin.x, origin.y}, r.GetCaptureRect(), scaleToFit,
                          screens == Screens::kEveryMonitor);
}

}  // namespace

void Render(RecordingFile& r, HWND window, HDC dc, bool drawClicks, bool scaleToFit,
            PaintScope scope, Screens screens, int monitor) {
    IDirectDrawSurface* primary = GetPrimarySurface();
    const Rect client = ClientOnScreen(window);
    const MonitorLayouts layouts = LayOut(r, dc, client, scaleToFit, screens);
    if (!primary && !dc)
        return;
    ScreenTarget screen(primary, dc, client);
    const bool whole = scope == PaintScope::kWhole || WholePaintsOnly();
    for (int i = 0; i < layouts.count; ++i) {
        if (monitor != kAllMonitors && layouts.monitors[i] != monitor)
            continue;
        if (!r.IsOpen()) {
            screen.FillBlack(layouts.layouts[i].area);
            pictures[i].Forget(r);
        } else {
            pictures[i].Paint(screen, layouts.layouts[i], r, drawClicks, whole);
        }
    }
    for (int i = layouts.count; monitor == kAllMonitors && i < kMostMonitors; ++i)
        pictures[i].Release();
}

void ForgetPictures(RecordingFile& r) {
    for (ScreenPicture& picture : pictures)
        picture.Forget(r);
}

void ReleasePictures() {
    for (ScreenPicture& picture : pictures)
        picture.Release();
}
