// Where a paint's copies land on the screen. The DirectDraw primary surface is
// the primary display device's screen only. A window that reaches past it (one
// covering every monitor) is drawn through GDI on its DC instead, all of it:
// an update of the primary surface may repaint the whole window from it,
// which would wipe what GDI drew beside it. Without a primary surface (before
// DirectDraw is set up), or from a picture that is no DirectDraw surface,
// everything goes through GDI. Every copy and fill reports whether it happened.
#pragma once
#include <windows.h>
#include <ddraw.h>

#include "playback/PictureSurface.h"
#include "recording/Geometry.h"

class ScreenTarget {
  public:
    // `windowDC` draws on the window whose client area is `client`, in
    // screen coordinates; without it, nothing past the primary surface is drawn.
    ScreenTarget(IDirectDrawSurface* primary, HDC windowDC, const Rect& client);

    // Copies `area` of the picture 1:1 to `screen`.
    bool Copy(PictureSurface& picture, const Rect& screen, const Rect& area);
    bool FillBlack(const Rect& screen);

  private:
    bool Inside(const Rect& screen) const;
    bool Blitted(HRESULT result);
    // The screen rectangle in the window DC's coordinates.
    RECT InWindow(const Rect& screen) const;

    IDirectDrawSurface* primary;
    HDC windowDC;
    Rect client;
    Rect primaryArea{};
    bool throughGdi = false;
};
