#pragma once
#include <windows.h>

// A bitmap selected into a memory device context of its own. The canvas owns
// both and releases them when it is reset or goes away.
class MemoryCanvas {
  public:
    MemoryCanvas() = default;
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    // Takes the bitmap into a memory context compatible with reference (null:
    // the screen). False, with the bitmap deleted, when there is no bitmap or
    // no context can be made.
    bool Hold(HBITMAP bitmap, HDC reference);
    void Reset();
    HDC Dc() const { return dc; }

  private:
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};
