#include "recorder/ScreenGrabber.h"

#include "recording/FrameImage.h"

static_assert(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD) == kBitmapInfoSize,
              "a recording's ImageFormat is a BITMAPINFO with 256 colours");

ScreenGrabber::~ScreenGrabber() {
    slots_.clear();
    if (screen_)
        ReleaseDC(nullptr, screen_);
}

bool ScreenGrabber::Create(const RECT& region, uint32_t bitsPerPixel, size_t slots) {
    region_ = region;
    width_ = region.right - region.left;
    height_ = region.bottom - region.top;
    auto* info = reinterpret_cast<BITMAPINFO*>(bitmapInfo_);
    info->bmiHeader = {
        sizeof(BITMAPINFOHEADER), width_, -height_, 1, WORD(bitsPerPixel), BI_RGB, 0, 0, 0, 0, 0};
    if (bitsPerPixel == 16) {
        info->bmiHeader.biCompression = BI_BITFIELDS;
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        memcpy(info->bmiColors, masks, sizeof masks);
    }
    screen_ = GetDC(nullptr);
    if (!screen_)
        return false;
    slots_ = std::vector<Slot>(slots);
    for (Slot& s : slots_) {
        void* bits = nullptr;
        if (!s.canvas.Hold(CreateDIBSection(screen_, info, DIB_RGB_COLORS, &bits, nullptr, 0),
                           screen_))
            return false;
        s.pixels = static_cast<uint8_t*>(bits);
    }
    return true;
}

std::vector<const uint8_t*> ScreenGrabber::SlotPixels() const {
    std::vector<const uint8_t*> pixels;
    for (const Slot& s : slots_)
        pixels.push_back(s.pixels);
    return pixels;
}

FrameStamp ScreenGrabber::Grab(size_t slot, bool drawPointer, ButtonLatch* clicks) {
    Slot& s = slots_[slot];
    BitBlt(s.canvas.Dc(), 0, 0, width_, height_, screen_, region_.left, region_.top,
           SRCCOPY | CAPTUREBLT);
    CURSORINFO cursor = {sizeof cursor, 0, nullptr, {}};
    GetCursorInfo(&cursor);
    if (drawPointer && (cursor.flags & CURSOR_SHOWING) && cursor.hCursor)
        DrawPointer(s.canvas.Dc(), cursor);
    GdiFlush();
    FrameStamp stamp = {
        0, {cursor.ptScreenPos.x - region_.left, cursor.ptScreenPos.y - region_.top}, 0, 0};
    if (clicks) {
        const bool left = clicks->TakePress(0), right = clicks->TakePress(1);
        stamp.leftButton = left || (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
        stamp.rightButton = right || (GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0;
    }
    return stamp;
}

void ScreenGrabber::DrawPointer(HDC dc, const CURSORINFO& cursor) {
    if (cursor.hCursor != shown_) {
        // The hot spot is asked for once per shape (the answer brings two
        // bitmaps). A shape that the system does not lend to this process
        // (Wine keeps each program's pointers to itself) is drawn as the arrow.
        shown_ = cursor.hCursor;
        shape_ = cursor.hCursor;
        ICONINFO icon = {};
        if (!GetIconInfo(shape_, &icon)) {
            shape_ = LoadCursor(nullptr, IDC_ARROW);
            if (!GetIconInfo(shape_, &icon))
                return;
        }
        hotSpot_ = {LONG(icon.xHotspot), LONG(icon.yHotspot)};
        if (icon.hbmMask)
            DeleteObject(icon.hbmMask);
        if (icon.hbmColor)
            DeleteObject(icon.hbmColor);
    }
    DrawIconEx(dc, cursor.ptScreenPos.x - hotSpot_.x - region_.left,
               cursor.ptScreenPos.y - hotSpot_.y - region_.top, shape_, 0, 0, 0, nullptr,
               DI_NORMAL);
}
