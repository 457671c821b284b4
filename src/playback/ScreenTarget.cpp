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

void ScreenTarget::Blit(IDirectDrawSurface* surface, const Rect& screen, const Rect& source) {
    if (!throughGdi) {
        RECT target = ToRECT(screen), from = ToRECT(source);
        primary->Blt(&target, surface, &from, DDBLT_WAIT, nullptr);
        return;
    }
    HDC to = windowDC, from = nullptr;
    if (!to || surface->GetDC(&from) != DD_OK)
        return;
    const RECT target = InWindow(screen);
    const int previous = SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, target.left, target.top, target.right - target.left, target.bottom - target.top,
               from, source.left, source.top, source.right - source.left,
               source.bottom - source.top, SRCCOPY);
    if (previous > 0)
        SetStretchBltMode(to, previous);
    surface->ReleaseDC(from);
}

void ScreenTarget::FillBlack(const Rect& screen) {
    if (!throughGdi) {
        DDBLTFX effects = {};
        effects.dwSize = sizeof effects;
        RECT area = ToRECT(screen);
        primary->Blt(&area, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
        return;
    }
    if (HDC to = windowDC) {
        const RECT area = InWindow(screen);
        FillRect(to, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
}
