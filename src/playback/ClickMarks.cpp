#include "playback/ClickMarks.h"

#include <algorithm>

#include "playback/DisplayObjects.h"
#include "playback/FramePresenter.h"
#include "recording/RecordingFile.h"

namespace {

struct ClickMarks {
    IDirectDrawSurface* markSurface = nullptr;
    int markCellWidth = 0;
    int markCellHeight = 0;
};
ClickMarks marks;

// The first pixel of a locked surface, as wide as the surface's pixels.
bool FirstPixel(const DDSURFACEDESC& desc, DWORD& value) {
    const auto* p = static_cast<const BYTE*>(desc.lpSurface);
    switch (desc.ddpfPixelFormat.dwRGBBitCount) {
        case 8:
            value = p[0];
            return true;
        case 16:
            value = *reinterpret_cast<const WORD*>(p);
            return true;
        case 24:
            value = p[0] | p[1] << 8 | p[2] << 16;
            return true;
        case 32:
            value = *reinterpret_cast<const DWORD*>(p);
            return true;
        default:
            return false;
    }
}

// Copies the bitmap into a new surface and keys out its top-left colour.
bool BuildMarkSurface(HDC bitmapDc, const BITMAP& bm) {
    marks.markSurface = CreatePlainSurface(DWORD(bm.bmWidth), DWORD(bm.bmHeight));
    HDC surfaceDc = nullptr;
    if (!marks.markSurface || marks.markSurface->GetDC(&surfaceDc) != DD_OK)
        return false;
    BitBlt(surfaceDc, 0, 0, bm.bmWidth, bm.bmHeight, bitmapDc, 0, 0, SRCCOPY);
    marks.markSurface->ReleaseDC(surfaceDc);
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    if (marks.markSurface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK)
        return false;
    DWORD key = 0;
    const bool known = FirstPixel(desc, key);
    marks.markSurface->Unlock(desc.lpSurface);
    if (!known)
        return false;
    DDCOLORKEY colourKey{key, key};
    return marks.markSurface->SetColorKey(DDCKEY_SRCBLT, &colourKey) == DD_OK;
}

}  // namespace

bool LoadClickMarks(UINT resourceId) {
    if (!GetDirectDraw() || resourceId == 0)
        return false;
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory)
        return false;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_SHARED));
    BITMAP bm = {};
    bool loaded = false;
    if (bitmap && GetObjectA(bitmap, sizeof bm, &bm)) {
        marks.markCellWidth = bm.bmWidth / 3;
        marks.markCellHeight = bm.bmHeight;
        HGDIOBJ previous = SelectObject(memory, bitmap);
        loaded = BuildMarkSurface(memory, bm);
        SelectObject(memory, previous);
    }
    DeleteDC(memory);
    if (bitmap)
        DeleteObject(bitmap);
    return loaded;
}

void ReleaseClickMarks() {
    ReleaseObject(marks.markSurface);
    marks.markCellWidth = 0;
    marks.markCellHeight = 0;
}

bool DrawClickMarks(RecordingFile& r) {
    auto* frame = static_cast<IDirectDrawSurface*>(r.frameSurface);
    if (!frame)
        return false;
    const bool left = r.GetLeftButtonDown() != 0, right = r.GetRightButtonDown() != 0;
    if (!left && !right)
        return true;
    if (!marks.markSurface)
        return false;
    const Point at = r.GetCursorPosition();
    const Rect& capture = r.GetCaptureRect();
    Rect m{std::max(at.x, capture.left), std::max(at.y, capture.top),
           std::min(at.x + marks.markCellWidth, capture.right),
           std::min(at.y + marks.markCellHeight, capture.bottom)};
    if (m.IsEmpty())
        m = Rect{};
    r.markRect = m;
    RECT cell{0, 0, m.right - m.left, m.bottom - m.top};
    const DWORD x = DWORD(at.x - capture.left), y = DWORD(at.y - capture.top);
    const DWORD flags = DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT;
    frame->BltFast(x, y, marks.markSurface, &cell, flags);
    for (int index = 1; index <= 2; ++index) {
        if (!(index == 1 ? left : right))
            continue;
        RECT moved{cell.left + index * marks.markCellWidth, cell.top,
                   cell.right + index * marks.markCellWidth, cell.bottom};
        frame->BltFast(x, y, marks.markSurface, &moved, flags);
    }
    return true;
}

bool EraseClickMarks(RecordingFile& r) {
    auto* frame = static_cast<IDirectDrawSurface*>(r.frameSurface);
    const Rect m = r.markRect;
    if (!frame || (m.left == 0 && m.top == 0 && m.right == 0 && m.bottom == 0))
        return false;
    HDC dc = nullptr;
    if (frame->GetDC(&dc) != DD_OK)
        return false;
    const Rect& capture = r.GetCaptureRect();
    BlitFrameRect(r, dc, m.left - capture.left, m.top - capture.top, m.left, m.top,
                  m.right - m.left, m.bottom - m.top);
    frame->ReleaseDC(dc);
    r.markRect = Rect{};
    return true;
}
