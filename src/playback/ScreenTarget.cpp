#include "playback/ScreenTarget.h"

namespace {

RECT ToRECT(const Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

}  // namespace

ScreenTarget::ScreenTarget(IDirectDrawSurface* primary, HDC windowDC, const Rect& client)
    : primary(primary), windowDC(windowDC), client(client) {
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    if (primary && primary->GetSurfaceDesc(&desc) == DD_OK)
        primaryArea = {0, 0, LONG(desc.dwWidth), LONG(desc.dwHeight)};
    throughGdi = !primary || !Inside(client);
    // The layout already holds the DC's viewport origin; GDI would add it again.
    POINT origin{0, 0};
    if (windowDC && GetViewportOrgEx(windowDC, &origin))
        this->client = {client.left + origin.x, client.top + origin.y, client.right + origin.x,
                        client.bottom + origin.y};
}

bool ScreenTarget::Inside(const Rect& screen) const {
    return screen.left >= primaryArea.left && screen.top >= primaryArea.top &&
           screen.right <= primaryArea.right && screen.bottom <= primaryArea.bottom;
}

RECT ScreenTarget::InWindow(const Rect& screen) const {
    return RECT{screen.left - client.left, screen.top - client.top, screen.right - client.left,
                screen.bottom - client.top};
}

// A primary surface lost to a mode change is restored for the next paint;
// this one failed.
bool ScreenTarget::Blitted(HRESULT result) {
    if (result == DDERR_SURFACELOST)
        primary->Restore();
    return result == DD_OK;
}

bool ScreenTarget::Copy(PictureSurface& picture, const Rect& screen, const Rect& area) {
    IDirectDrawSurface* surface = picture.Surface();
    if (!throughGdi && surface) {
        RECT target = ToRECT(screen), from = ToRECT(area);
        return Blitted(primary->Blt(&target, surface, &from, DDBLT_WAIT, nullptr));
    }
    HDC from = picture.SourceDC();
    const RECT target = InWindow(screen);
    const bool copied = windowDC && from &&
                        BitBlt(windowDC, target.left, target.top, target.right - target.left,
                               target.bottom - target.top, from, area.left, area.top, SRCCOPY);
    picture.ReleaseSourceDC(from);
    return copied;
}

bool ScreenTarget::FillBlack(const Rect& screen) {
    if (!throughGdi) {
        DDBLTFX effects = {};
        effects.dwSize = sizeof effects;
        RECT area = ToRECT(screen);
        return Blitted(
            primary->Blt(&area, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects));
    }
    const RECT area = InWindow(screen);
    return windowDC && FillRect(windowDC, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
