// Copies a region of the screen into the pixels of the frame slots: one DIB
// section per slot at 16 bits (565) or 32 bits per pixel, the pointer's shape
// drawn over it on request, and the state of the mouse buttons. Made on one
// thread and then used by the capture thread alone.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "classlib/MemoryCanvas.h"
#include "recorder/ButtonLatch.h"
#include "recorder/FrameQueue.h"

class ScreenGrabber {
  public:
    ScreenGrabber() = default;
    ~ScreenGrabber();
    ScreenGrabber(const ScreenGrabber&) = delete;
    ScreenGrabber& operator=(const ScreenGrabber&) = delete;

    // The region in screen coordinates; false when the system refuses the memory.
    bool Create(const RECT& region, uint32_t bitsPerPixel, size_t slots);
    const uint8_t* BitmapInfo() const { return bitmapInfo_; }
    std::vector<const uint8_t*> SlotPixels() const;
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Copies the region into the slot and says where the pointer was (in the
    // frame's pixels) and which buttons were held or pressed since the last
    // grab (when a latch is given).
    FrameStamp Grab(size_t slot, bool drawPointer, ButtonLatch* clicks);

  private:
    struct Slot {
        MemoryCanvas canvas;
        uint8_t* pixels = nullptr;
    };
    void DrawPointer(HDC dc, const CURSORINFO& cursor);

    RECT region_ = {};
    int width_ = 0, height_ = 0;
    alignas(4) uint8_t bitmapInfo_[sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD)] = {};
    std::vector<Slot> slots_;
    HDC screen_ = nullptr;
    HCURSOR shown_ = nullptr;  // the last pointer shape the system showed
    HCURSOR shape_ = nullptr;  // what is drawn for it, and its hot spot
    POINT hotSpot_ = {};
};
