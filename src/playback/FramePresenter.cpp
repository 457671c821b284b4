#include "playback/FramePresenter.h"

#include <cstdlib>

#include "playback/ClickMarks.h"
#include "playback/DisplayObjects.h"
#include "playback/MonitorLayout.h"
#include "playback/ScreenPicture.h"
#include "playback/ScreenTarget.h"
#include "recording/RecordingFile.h"

namespace {

// What the screen shows since the last paint: each monitor's picture, and
// where the click marks were; and the reader of the video, which keeps its
// colour tables from paint to paint.
struct Presentation {
    ScreenPicture pictures[kMostMonitors];
    Rect marks = {};
    PictureSource source;
};
Presentation presentation;

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
            PaintScope scope, Screens screens) {
    IDirectDrawSurface* primary = GetPrimarySurface();
    const Rect client = ClientOnScreen(window);
    const MonitorLayouts layouts = LayOut(r, dc, client, scaleToFit, screens);
    if ((!primary && !dc) || layouts.count == 0)
        return;
    ScreenTarget screen(primary, dc, client);
    if (!r.IsOpen()) {
        screen.FillBlack(client);
        return;
    }
    // A format that cannot be shown reads as black.
    PictureSource& source = presentation.source;
    source.Attach(r.GetFrameImage(), r.GetCaptureRect());
    const PictureOverlay marks = drawClicks ? ClickMarksOver(r) : PictureOverlay{};
    ChangedAreas changes(source.Height());
    for (const Rect& dirty : r.GetDirtyRects())
        changes.Add(source.FromImage(dirty));
    changes.Add(presentation.marks);
    changes.Add(marks.area);
    presentation.marks = marks.area;
    const bool whole = scope == PaintScope::kWhole || WholePaintsOnly();
    for (int i = 0; i < layouts.count; ++i) {
        ScreenPicture& picture = presentation.pictures[i];
        picture.Prepare(layouts.layouts[i], source.Width(), source.Height());
        picture.Paint(screen, source, marks, changes, whole);
    }
    for (int i = layouts.count; i < kMostMonitors; ++i)
        presentation.pictures[i].Release();
}

void ForgetPictures(RecordingFile&) {
    for (ScreenPicture& picture : presentation.pictures)
        picture.Forget();
}

void ReleasePictures() {
    for (ScreenPicture& picture : presentation.pictures)
        picture.Release();
    presentation.marks = {};
}
