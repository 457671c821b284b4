#include "playback/ScreenPicture.h"

#include <algorithm>

#include "playback/ClickMarks.h"
#include "recording/RecordingFile.h"

namespace {

// Past this share of the picture one copy of the whole picture is cheaper
// than copies of the changed parts.
constexpr int kMostChangedPercent = 60;
// What a copy to the screen costs besides its pixels, in pixels: nearby
// changes are composed and copied together up to this much more.
constexpr int64_t kCopyCost = 128 * 128;

int64_t AreaOf(const Rect& r) {
    return int64_t(r.right - r.left) * (r.bottom - r.top);
}

Rect Intersect(const Rect& a, const Rect& b) {
    const Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? Rect{} : r;
}

Rect Moved(const Rect& r, int32_t dx, int32_t dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

}  // namespace

void ScreenPicture::Prepare(const PresentationLayout& l, const RecordingFile& recording) {
    if (&recording != shows) {
        shows = &recording;
        marks = {};
        composed = false;
    }
    // A format that cannot be shown reads as black.
    source.Attach(recording.GetFrameImage(), recording.GetCaptureRect());
    const int32_t width = source.Width(), height = source.Height();
    const Rect& whole = l.wholePicture;
    const int32_t wholeWidth = whole.right - whole.left, wholeHeight = whole.bottom - whole.top;
    if (width != videoWidth || height != videoHeight || wholeWidth != scaler.Width() ||
        wholeHeight != scaler.Height()) {
        scaler.SetSizes(width, height, wholeWidth, wholeHeight);
        videoWidth = width;
        videoHeight = height;
        composed = false;
    }
    const Rect shown = Moved(l.picture, -whole.left, -whole.top);
    if (!(shown == visible && l.picture == layout.picture))
        composed = false;
    layout = l;
    visible = shown;
    bool renewed = false;
    if (!surface.Prepare(shown.right - shown.left, shown.bottom - shown.top, renewed) || renewed)
        composed = false;
}

void ScreenPicture::Forget(const RecordingFile& recording) {
    if (&recording == shows)
        composed = false;
}

void ScreenPicture::Release() {
    surface.Release();
    shows = nullptr;
    marks = {};
    composed = false;
}

Rect ScreenPicture::OnScreen(const Rect& area) const {
    return Moved(area, layout.picture.left - visible.left, layout.picture.top - visible.top);
}

Rect ScreenPicture::InSurface(const Rect& area) const {
    return Moved(area, -visible.left, -visible.top);
}

// The visible picture areas the changes reach, nearby ones joined; -1 when
// together they cover so much that the whole picture is cheaper.
int ScreenPicture::ComposeAreas(const ChangedAreas& changes, Rect* areas) const {
    int n = 0;
    for (int i = 0; i < changes.Count(); ++i) {
        const Rect area = Intersect(scaler.Reach(changes.Area(i)), visible);
        if (!area.IsEmpty())
            areas[n++] = area;
    }
    n = JoinNearbyAreas(areas, n, kCopyCost);
    int64_t total = 0;
    for (int i = 0; i < n; ++i)
        total += AreaOf(areas[i]);
    return total * 100 > AreaOf(visible) * kMostChangedPercent ? -1 : n;
}

bool ScreenPicture::Compose(const PictureOverlay& overlay, const Rect& area) {
    uint8_t* corner = nullptr;
    ptrdiff_t pitch = 0;
    if (!surface.Lock(InSurface(area), corner, pitch))
        return false;
    scaler.Resample(source, overlay, area, surface.Packing(), corner, pitch);
    surface.Unlock();
    return true;
}

bool ScreenPicture::Paint(ScreenTarget& screen, const PresentationLayout& l,
                          const RecordingFile& recording, bool drawClicks, bool whole) {
    Prepare(l, recording);
    const PictureOverlay overlay = drawClicks ? ClickMarksOver(recording) : PictureOverlay{};
    ChangedAreas changes(source.Height());
    for (const Rect& dirty : recording.GetDirtyRects())
        changes.Add(source.FromImage(dirty));
    changes.Add(marks);
    changes.Add(overlay.area);
    marks = overlay.area;
    whole = whole || !composed;
    Rect areas[ChangedAreas::kMostAreas];
    int n = whole ? -1 : ComposeAreas(changes, areas);
    if (n < 0) {
        areas[0] = visible;
        n = visible.IsEmpty() ? 0 : 1;
    }
    bool done = true;
    for (int i = 0; i < n; ++i)
        done = Compose(overlay, areas[i]) && done;
    for (int i = 0; i < n; ++i)
        done = screen.Copy(surface, OnScreen(areas[i]), InSurface(areas[i])) && done;
    for (int b = 0; whole && b < layout.borderCount; ++b)
        done = screen.FillBlack(layout.borders[b]) && done;
    composed = done;
    return done;
}
