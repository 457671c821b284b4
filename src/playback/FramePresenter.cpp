#include "playback/FramePresenter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "playback/ClickMarks.h"
#include "playback/DisplayObjects.h"
#include "playback/MonitorLayout.h"
#include "playback/ScreenTarget.h"
#include "recording/RecordingFile.h"

namespace {

IDirectDrawSurface*& FrameSurface(RecordingFile& r) {
    return reinterpret_cast<IDirectDrawSurface*&>(r.frameSurface);
}

// The recorded bitmap header as GDI may safely read it: the layout the decoder
// used for the image buffer, whatever else the recording claimed.
struct SafeBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

void PrepareBitmapInfo(const FrameImage& image, SafeBitmapInfo& info) {
    static_assert(sizeof(SafeBitmapInfo) == kBitmapInfoSize, "header and colour table");
    std::memcpy(&info, image.bitmapInfo, sizeof info);
    BITMAPINFOHEADER& h = info.header;
    h.biSize = sizeof h;
    h.biPlanes = 1;
    h.biWidth = LONG(image.width);
    h.biHeight = image.BiHeight() < 0 ? -LONG(image.height) : LONG(image.height);
    const bool masks =
        h.biCompression == BI_BITFIELDS && (h.biBitCount == 16 || h.biBitCount == 32);
    h.biCompression = masks ? BI_BITFIELDS : BI_RGB;
    h.biSizeImage = image.imageSize;
    if (h.biClrUsed > 256)
        h.biClrUsed = 0;
}

bool CopyImage(const RecordingFile& r, HDC dc, int x, int y, int w, int h, int ix, int iy, int iw,
               int ih, int stretchMode) {
    const FrameImage& image = r.GetFrameImage();
    if (!dc || !image.currentImage)
        return false;
    const int previous = SetStretchBltMode(dc, stretchMode);
    SafeBitmapInfo info;
    PrepareBitmapInfo(image, info);
    // StretchDIBits counts source rows from the bottom of the bitmap.
    const int sourceY = image.BiHeight() < 0 ? int(image.height) - iy - ih : iy;
    // The recorded colour table holds real colours, also for 8-bit images.
    const int copied =
        StretchDIBits(dc, x, y, w, h, ix, sourceY, iw, ih, image.currentImage,
                      reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
    if (previous > 0)
        SetStretchBltMode(dc, previous);
    return copied != 0 && copied != int(GDI_ERROR);
}

// Stretches the layout's source rectangle of the decoded picture to `target` of the DC.
void StretchSource(RecordingFile& r, HDC dc, const RECT& target, const PresentationLayout& l) {
    const Rect& s = l.source;
    const Rect& capture = r.GetCaptureRect();
    StretchFrameRect(r, dc, target.left, target.top, target.right - target.left,
                     target.bottom - target.top, capture.left + s.left, capture.top + s.top,
                     s.right - s.left, s.bottom - s.top, COLORONCOLOR);
}

// Draws through the back surface when no frame surface exists: the picture
// goes to its top-left corner, then to the screen.
void DrawThroughBackSurface(RecordingFile& r, ScreenTarget& screen, const PresentationLayout& l) {
    IDirectDrawSurface* back = GetBackSurface();
    HDC dc = nullptr;
    if (!back || back->GetDC(&dc) != DD_OK)
        return;
    const Rect& p = l.picture;
    StretchSource(r, dc, {0, 0, p.right - p.left, p.bottom - p.top}, l);
    back->ReleaseDC(dc);
    screen.Blit(back, p, {0, 0, p.right - p.left, p.bottom - p.top});
}

void FillBorders(ScreenTarget& screen, const MonitorLayouts& layouts) {
    for (int i = 0; i < layouts.count; ++i)
        for (int b = 0; b < layouts.layouts[i].borderCount; ++b)
            screen.FillBlack(layouts.layouts[i].borders[b]);
}

// What the screen shows since the last paint, to know what a change-only
// paint may leave as it is.
struct ShownPicture {
    bool valid = false;  // a whole paint happened with the current frame surface
    MonitorLayouts layouts;
    Rect mark = {};  // the click marks' place, capture coordinates
};
ShownPicture shown;

bool SameLayouts(const MonitorLayouts& a, const MonitorLayouts& b) {
    if (a.count != b.count)
        return false;
    for (int i = 0; i < a.count; ++i) {
        const PresentationLayout &p = a.layouts[i], &q = b.layouts[i];
        if (!(p.picture == q.picture && p.source == q.source && p.borderCount == q.borderCount))
            return false;
    }
    return true;
}

// A test-only switch: every paint brings the whole picture, as a baseline
// for measuring the change-only paint.
bool WholePaintsOnly() {
    static const bool whole = std::getenv("QUORVANE_TEST_WHOLE_PAINTS") != nullptr;
    return whole;
}

// Up to this many pieces are blitted one by one; past it, the bounding box of
// the changes within each of as many horizontal strips of the picture. Past
// this share of the picture one blit of the whole picture is cheaper.
constexpr int kMostPieces = 16;
constexpr int kMostChangedPercent = 60;

Rect Bounds(const Rect& a, const Rect& b) {
    if (a.IsEmpty())
        return b;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// The changed parts of a picture of the given height, in capture
// coordinates. No allocation per paint.
class ChangedPieces {
  public:
    explicit ChangedPieces(int32_t pictureHeight)
        : stripHeight(std::max<int32_t>(1, (pictureHeight + kMostPieces - 1) / kMostPieces)) {}

    void Add(const Rect& r) {
        if (r.IsEmpty())
            return;
        if (count < kMostPieces)
            pieces[count] = r;
        ++count;
        const int first = std::clamp(r.top / stripHeight, 0, kMostPieces - 1);
        const int last = std::clamp((r.bottom - 1) / stripHeight, 0, kMostPieces - 1);
        for (int strip = first; strip <= last; ++strip) {
            const Rect part{r.left, std::max(r.top, strip * stripHeight), r.right,
                            std::min(r.bottom, (strip + 1) * stripHeight)};
            strips[strip] = Bounds(strips[strip], part);
        }
    }
    int Count() const { return count <= kMostPieces ? count : kMostPieces; }
    const Rect& Piece(int i) const { return count <= kMostPieces ? pieces[i] : strips[i]; }

  private:
    int32_t stripHeight;
    Rect pieces[kMostPieces] = {};
    Rect strips[kMostPieces] = {};
    int count = 0;
};

Rect FromCapture(const Rect& r, const Rect& capture) {
    return {r.left - capture.left, r.top - capture.top, r.right - capture.left,
            r.bottom - capture.top};
}

int64_t Area(const Rect& r) {
    return int64_t(r.right - r.left) * (r.bottom - r.top);
}

// Blits the changed pieces to the screen; false when one blit of the whole
// picture is cheaper.
bool BlitChanges(ScreenTarget& screen, IDirectDrawSurface* surface, const PresentationLayout& l,
                 const ChangedPieces& changes) {
    Rect sources[kMostPieces], screens[kMostPieces];
    int64_t area = 0;
    int n = 0;
    for (int i = 0; i < changes.Count(); ++i)
        if (MapToScreen(l, changes.Piece(i), sources[n], screens[n]))
            area += Area(screens[n++]);
    if (area * 100 > Area(l.picture) * kMostChangedPercent)
        return false;
    for (int i = 0; i < n; ++i)
        screen.Blit(surface, screens[i], sources[i]);
    return true;
}

// Before DirectDraw is set up (the first picture, shown as soon as it is
// decoded): straight from the decoded image into the window.
void DrawThroughGdi(RecordingFile& r, HDC dc, ScreenTarget& screen, const MonitorLayouts& layouts) {
    for (int i = 0; i < layouts.count; ++i) {
        const PresentationLayout& l = layouts.layouts[i];
        if (!l.picture.IsEmpty())
            StretchSource(r, dc, screen.InWindow(l.picture), l);
    }
    FillBorders(screen, layouts);
}

}  // namespace

bool BlitFrameRect(const RecordingFile& r, HDC dc, int x, int y, int imageX, int imageY, int width,
                   int height) {
    return CopyImage(r, dc, x, y, width, height, imageX, imageY, width, height, COLORONCOLOR);
}

bool StretchFrameRect(const RecordingFile& r, HDC dc, int x, int y, int width, int height,
                      int imageX, int imageY, int imageWidth, int imageHeight, int stretchMode) {
    return CopyImage(r, dc, x, y, width, height, imageX, imageY, imageWidth, imageHeight,
                     stretchMode);
}

bool CreateFrameSurface(RecordingFile& r) {
    const Rect& capture = r.GetCaptureRect();
    const int w = capture.right - capture.left, h = capture.bottom - capture.top;
    if (!GetDirectDraw() || w <= 0 || h <= 0)
        return false;
    IDirectDrawSurface*& surface = FrameSurface(r);
    surface = CreatePlainSurface(DWORD(w), DWORD(h));
    HDC dc = nullptr;
    if (!surface || surface->GetDC(&dc) != DD_OK)
        return false;
    BlitFrameRect(r, dc, 0, 0, capture.left, capture.top, w, h);
    surface->ReleaseDC(dc);
    return true;
}

void ReleaseFrameSurface(RecordingFile& r) {
    ReleaseObject(FrameSurface(r));
    shown = ShownPicture{};
}

bool UpdateFrameSurface(RecordingFile& r) {
    IDirectDrawSurface*& surface = FrameSurface(r);
    if (!surface && !CreateFrameSurface(r))
        return false;
    HDC dc = nullptr;
    if (surface->GetDC(&dc) != DD_OK)
        return false;
    const Rect& capture = r.GetCaptureRect();
    for (const Rect& d : r.GetDirtyRects())
        BlitFrameRect(r, dc, d.left - capture.left, d.top - capture.top, d.left, d.top,
                      d.right - d.left, d.bottom - d.top);
    surface->ReleaseDC(dc);
    return true;
}

void Render(RecordingFile& r, HWND window, HDC dc, bool drawClicks, bool scaleToFit,
            PaintScope scope, Screens screens) {
    IDirectDrawSurface* primary = GetPrimarySurface();
    if (!primary && !dc)
        return;
    RECT client;
    GetClientRect(window, &client);
    POINT topLeft{client.left, client.top}, bottomRight{client.right, client.bottom};
    ClientToScreen(window, &topLeft);
    ClientToScreen(window, &bottomRight);
    const Rect d{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    POINT origin{0, 0};
    if (dc)
        GetViewportOrgEx(dc, &origin);
    static const MonitorArrangement oneScreen;
    const MonitorLayouts layouts = LayOutMonitors(
        screens == Screens::kClientArea ? oneScreen : GetMonitors(), d, Point{origin.x, origin.y},
        r.GetCaptureRect(), scaleToFit, screens == Screens::kEveryMonitor);
    if (layouts.count == 0)
        return;

    ScreenTarget screen(primary, dc, d);
    if (!r.IsOpen()) {
        screen.FillBlack(d);
        return;
    }
    if (!primary) {
        DrawThroughGdi(r, dc, screen, layouts);
        return;
    }
    // A new frame surface (the first frame, a new image format or capture
    // rectangle) or a new layout needs the whole picture on the screen.
    const bool whole = scope == PaintScope::kWhole || WholePaintsOnly() || !FrameSurface(r) ||
                       !shown.valid || !SameLayouts(shown.layouts, layouts);
    const Rect& capture = r.GetCaptureRect();
    ChangedPieces changes(capture.bottom - capture.top);
    if (!whole) {
        for (const Rect& dirty : r.GetDirtyRects())
            changes.Add(FromCapture(dirty, capture));
        changes.Add(shown.mark);
    }
    UpdateFrameSurface(r);
    if (drawClicks)
        DrawClickMarks(r);
    IDirectDrawSurface* surface = FrameSurface(r);
    shown.mark = FromCapture(r.markRect, capture);
    changes.Add(shown.mark);
    for (int i = 0; i < layouts.count; ++i) {
        const PresentationLayout& l = layouts.layouts[i];
        if (l.picture.IsEmpty())
            continue;
        if (!surface)
            DrawThroughBackSurface(r, screen, l);
        else if (whole || !BlitChanges(screen, surface, l, changes))
            screen.Blit(surface, l.picture, l.source);
    }
    EraseClickMarks(r);  // nothing to do when no mark was drawn
    if (whole)
        FillBorders(screen, layouts);
    shown.valid = surface != nullptr;
    shown.layouts = layouts;
}
