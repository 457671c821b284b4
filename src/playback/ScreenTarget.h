// Where a paint's blits land on the screen. The DirectDraw primary surface is
// the primary display device's screen only. A window that reaches past it (one
// covering every monitor) is drawn through GDI on its DC instead, all of it:
// an update of the primary surface may repaint the whole window from it,
// which would wipe what GDI drew beside it. Without a primary surface (before
// DirectDraw is set up), everything goes through GDI.
#pragma once
#include <windows.h>
#include <ddraw.h>

#include "recording/Geometry.h"

class ScreenTarget {
  public:
    // `windowDC` draws on the window whose client area is `client`, in
    // screen coordinates; without it, nothing past the primary surface is drawn.
    ScreenTarget(IDirectDrawSurface* primary, HDC windowDC, const Rect& client);

    // Copies `source` of the surface to `screen`, stretched as need be.
    void Blit(IDirectDrawSurface* surface, const Rect& screen, const Rect& source);
    void FillBlack(const Rect& screen);
    // The screen rectangle in the window DC's coordinates.
    RECT InWindow(const Rect& screen) const;

  private:
    bool Inside(const Rect& screen) const;

    IDirectDrawSurface* primary;
    HDC windowDC;
    Rect client;
    Rect primaryArea{};
    bool throughGdi = false;
};
