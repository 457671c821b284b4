#include "playback/ClickMarks.h"

#include <algorithm>
#include <vector>

#include "recording/RecordingFile.h"

namespace {

// The indicator bitmap: three cells side by side (the mouse, its left
// button, its right button), 0x00RRGGBB, its top-left colour transparent.
struct ClickMarks {
    std::vector<uint32_t> pixels;
    int32_t width = 0;
    int32_t markCellWidth = 0;
    int32_t markCellHeight = 0;
};
ClickMarks marks;

bool ReadPixels(HBITMAP bitmap, const BITMAP& bm) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    marks.pixels.assign(size_t(bm.bmWidth) * size_t(bm.bmHeight), 0);
    HDC screen = GetDC(nullptr);
    const int rows = screen ? GetDIBits(screen, bitmap, 0, UINT(bm.bmHeight), marks.pixels.data(),
                                        &info, DIB_RGB_COLORS)
                            : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    for (uint32_t& p : marks.pixels)
        p &= 0xFFFFFF;
    return rows == bm.bmHeight;
}

}  // namespace

bool LoadClickMarks(UINT resourceId) {
    ReleaseClickMarks();
    if (resourceId == 0)
        return false;
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP bm = {};
    const bool loaded = bitmap && GetObjectA(bitmap, sizeof bm, &bm) && bm.bmWidth >= 3 &&
                        bm.bmHeight > 0 && ReadPixels(bitmap, bm);
    if (bitmap)
        DeleteObject(bitmap);
    if (!loaded) {
        ReleaseClickMarks();
        return false;
    }
    marks.width = bm.bmWidth;
    marks.markCellWidth = bm.bmWidth / 3;
    marks.markCellHeight = bm.bmHeight;
    return true;
}

void ReleaseClickMarks() {
    marks = ClickMarks{};
}

PictureOverlay ClickMarksOver(const RecordingFile& r) {
    PictureOverlay overlay;
    const bool left = r.GetLeftButtonDown() != 0, right = r.GetRightButtonDown() != 0;
    const Point at = r.GetCursorPosition();
    const Rect& capture = r.GetCaptureRect();
    if ((!left && !right) || marks.pixels.empty() || at.x < capture.left || at.y < capture.top)
        return overlay;
    overlay.origin = {at.x - capture.left, at.y - capture.top};
    const Rect area{
        overlay.origin.x, overlay.origin.y,
        std::min(overlay.origin.x + marks.markCellWidth, capture.right - capture.left),
        std::min(overlay.origin.y + marks.markCellHeight, capture.bottom - capture.top)};
    if (area.IsEmpty())
        return overlay;
    overlay.area = area;
    overlay.pixels = marks.pixels.data();
    overlay.pitch = marks.width;
    overlay.key = marks.pixels[0];
    overlay.cellLeft[overlay.cellCount++] = 0;
    if (left)
        overlay.cellLeft[overlay.cellCount++] = marks.markCellWidth;
    if (right)
        overlay.cellLeft[overlay.cellCount++] = 2 * marks.markCellWidth;
    return overlay;
}
