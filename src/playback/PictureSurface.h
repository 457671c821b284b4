// Where a monitor's picture is composed before it goes to the screen: an
// off-screen DirectDraw surface in the display's format while DirectDraw is
// set up, else (the first picture, or a display whose format the scaler does
// not write) a 32-bit DIB section that GDI copies to the screen.
#pragma once
#include <windows.h>
#include <ddraw.h>

#include <cstddef>
#include <cstdint>

#include "classlib/MemoryCanvas.h"
#include "playback/PixelPacking.h"
#include "recording/Geometry.h"

class PictureSurface {
  public:
    PictureSurface() = default;
    PictureSurface(const PictureSurface&) = delete;
    PictureSurface& operator=(const PictureSurface&) = delete;
    ~PictureSurface() { Release(); }

    // A surface of the given size of the kind the display allows now; the
    // present one when it already is that, else `renewed` is set.
    bool Prepare(int32_t width, int32_t height, bool& renewed);
    void Release();

    // The pixels of `area` for writing: its top-left pixel and the distance
    // between rows. Unlock follows every successful Lock.
    bool Lock(const Rect& area, uint8_t*& corner, ptrdiff_t& pitch);
    void Unlock();
    const PixelPacking& Packing() const { return packing; }

    // The DirectDraw surface, or null for a DIB section.
    IDirectDrawSurface* Surface() const { return surface; }
    // A device context to copy from; ReleaseSourceDC follows a non-null one.
    HDC SourceDC();
    void ReleaseSourceDC(HDC dc);

  private:
    bool CreateSurface();
    bool CreateSection();

    int32_t width = 0, height = 0;
    IDirectDraw* owner = nullptr;  // the DirectDraw object of `surface`
    IDirectDrawSurface* surface = nullptr;
    MemoryCanvas section;  // a DIB section in a memory context
    uint8_t* sectionBits = nullptr;
    void* locked = nullptr;
    PixelPacking packing;
};
