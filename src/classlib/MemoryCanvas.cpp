#include "classlib/MemoryCanvas.h"

MemoryCanvas::~MemoryCanvas() {
    Reset();
}

bool MemoryCanvas::Hold(HBITMAP heldBitmap, HDC reference) {
    Reset();
    if (!heldBitmap)
        return false;
    dc = CreateCompatibleDC(reference);
    if (!dc) {
        DeleteObject(heldBitmap);
        return false;
    }
    bitmap = heldBitmap;
    previous = SelectObject(dc, bitmap);
    return true;
}

void MemoryCanvas::Reset() {
    if (dc) {
        SelectObject(dc, previous);
        DeleteDC(dc);
    }
    if (bitmap)
        DeleteObject(bitmap);
    dc = nullptr;
    bitmap = nullptr;
    previous = nullptr;
}
