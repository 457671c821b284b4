#include "playback/PictureSurface.h"

#include "playback/DisplayObjects.h"

bool PictureSurface::Prepare(int32_t w, int32_t h, bool& renewed) {
    IDirectDraw* now = GetDirectDraw();
    if (w == width && h == height && now == owner && (surface || sectionBits))
        return true;
    renewed = true;
    Release();
    if (w <= 0 || h <= 0)
        return false;
    width = w;
    height = h;
    owner = now;
    if ((owner && CreateSurface()) || CreateSection())
        return true;
    Release();
    return false;
}

bool PictureSurface::CreateSurface() {
    surface = CreatePlainSurface(DWORD(width), DWORD(height));
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    const DDPIXELFORMAT& f = desc.ddpfPixelFormat;
    if (surface && surface->GetSurfaceDesc(&desc) == DD_OK && (f.dwFlags & DDPF_RGB) &&
        packing.Take(int(f.dwRGBBitCount), f.dwRBitMask, f.dwGBitMask, f.dwBBitMask))
        return true;
    ReleaseObject(surface);  // a palette display: GDI maps the colours
    return false;
}

bool PictureSurface::CreateSection() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    if (!section.Hold(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr))
        return false;
    sectionBits = static_cast<uint8_t*>(bits);
    return packing.Take(32, 0xFF0000, 0xFF00, 0xFF);
}

void PictureSurface::Release() {
    section.Reset();
    sectionBits = nullptr;
    ReleaseObject(surface);
    owner = nullptr;
    width = height = 0;
}

bool PictureSurface::Lock(const Rect& area, uint8_t*& corner, ptrdiff_t& pitch) {
    if (sectionBits) {
        pitch = ptrdiff_t(width) * 4;
        corner = sectionBits + area.top * pitch + area.left * 4;
        return true;
    }
    if (!surface)
        return false;
    RECT r{area.left, area.top, area.right, area.bottom};
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    HRESULT result = surface->Lock(&r, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr);
    if (result == DDERR_SURFACELOST && surface->Restore() == DD_OK)
        result = surface->Lock(&r, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr);
    if (result != DD_OK)
        return false;
    locked = desc.lpSurface;
    corner = static_cast<uint8_t*>(desc.lpSurface);
    pitch = desc.lPitch;
    return true;
}

void PictureSurface::Unlock() {
    if (surface && locked)
        surface->Unlock(locked);
    locked = nullptr;
}

HDC PictureSurface::SourceDC() {
    if (sectionBits)
        return section.Dc();
    HDC dc = nullptr;
    return surface && surface->GetDC(&dc) == DD_OK ? dc : nullptr;
}

void PictureSurface::ReleaseSourceDC(HDC dc) {
    if (surface && dc)
        surface->ReleaseDC(dc);
}
