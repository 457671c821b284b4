#include "PictureRgb.h"

#include <algorithm>

#include "recording/ContainerFormat.h"

namespace {

// A colour channel given by a bit mask, scaled to 0..255.
uint8_t Channel(uint32_t pixel, uint32_t mask) {
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!(mask >> shift & 1))
        ++shift;
    const uint32_t max = mask >> shift;
    return uint8_t(((pixel & mask) >> shift) * 255 / max);
}

}  // namespace

bool VisibleArea(const FrameImage& image, const Rect& capture, Rect& area) {
    if (!image.HasPicture())
        return false;
    area = Rect{std::max(capture.left, 0), std::max(capture.top, 0),
                std::min<int32_t>(capture.right, image.width),
                std::min<int32_t>(capture.bottom, image.height)};
    return !area.IsEmpty();
}

void ToRgb(const FrameImage& image, const Rect& area, std::vector<uint8_t>& rgb) {
    const uint8_t* info = image.bitmapInfo;
    const bool bitfields = vqd::ReadU32(info + 16) == 3;
    const uint16_t bits = image.BitCount();
    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};  // 16 bits without masks are 555
    if (bits == 32)
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    if (bitfields)
        for (int i = 0; i < 3; ++i)
            masks[i] = vqd::ReadU32(info + 40 + 4 * i);
    const bool bottomUp = image.BiHeight() > 0;
    rgb.clear();
    for (int i = 0; i < area.bottom - area.top; ++i) {
        const int y = bottomUp ? area.bottom - 1 - i : area.top + i;
        const uint8_t* row = image.currentImage + size_t(y) * image.stride;
        for (int x = area.left; x < area.right; ++x) {
            const uint8_t* p = row + size_t(x) * image.bytesPerPixel;
            uint8_t r, g, b;
            if (image.bytesPerPixel == 1) {
                const uint8_t* q = info + 40 + 4 * p[0];  // RGBQUAD: blue, green, red
                r = q[2], g = q[1], b = q[0];
            } else if (image.bytesPerPixel == 3 || (bits == 32 && !bitfields)) {
                r = p[2], g = p[1], b = p[0];
            } else {
                const uint32_t v = image.bytesPerPixel == 2 ? vqd::ReadU16(p) : vqd::ReadU32(p);
                r = Channel(v, masks[0]), g = Channel(v, masks[1]), b = Channel(v, masks[2]);
            }
            rgb.insert(rgb.end(), {r, g, b});
        }
    }
}

void DrawClick(std::vector<uint8_t>& rgb, const Rect& area, const Point& pointer, bool left,
               bool right) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    auto put = [&](int x, int y, uint8_t r, uint8_t g, uint8_t b) {
        x += pointer.x - area.left;
        y += pointer.y - area.top;
        if (x < 0 || y < 0 || x >= width || y >= height)
            return;
        uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
        p[0] = r, p[1] = g, p[2] = b;
    };
    // The mouse: 16 x 22 below and right of the pointer, its buttons on top.
    for (int y = 6; y < 28; ++y)
        for (int x = 8; x < 24; ++x) {
            const bool edge =
                x == 8 || x == 23 || y == 6 || y == 27 || y == 14 || (x == 15 && y < 14);
            const bool pressed = y < 14 && ((x < 15 && left) || (x > 15 && right));
            if (edge)
                put(x, y, 0, 0, 0);
            else if (pressed)
                put(x, y, 230, 30, 30);
            else
                put(x, y, 190, 190, 190);
        }
}
