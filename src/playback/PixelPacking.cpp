#include "playback/PixelPacking.h"

#include <cstring>

bool PixelPacking::Take(int bitCount, uint32_t red, uint32_t green, uint32_t blue) {
    if (bitCount != 16 && bitCount != 24 && bitCount != 32)
        return false;
    const uint32_t masks[3] = {red, green, blue};
    for (int i = 0; i < 3; ++i) {
        if (masks[i] == 0)
            return false;
        Channel& c = channels[i];
        c.shift = 0;
        while (!(masks[i] >> c.shift & 1))
            ++c.shift;
        c.bits = 0;
        while (c.shift + c.bits < 32 && masks[i] >> (c.shift + c.bits))
            ++c.bits;
    }
    bytesPerPixel = bitCount / 8;
    plainRgb32 = bitCount == 32 && red == 0xFF0000 && green == 0xFF00 && blue == 0xFF;
    return true;
}

uint32_t PixelPacking::Pack(uint32_t rgb) const {
    uint32_t pixel = 0;
    for (int i = 0; i < 3; ++i) {
        const uint32_t v = rgb >> (16 - 8 * i) & 0xFF;
        const Channel& c = channels[i];
        const uint32_t part = c.bits <= 8 ? v >> (8 - c.bits) : v << (c.bits - 8);
        pixel |= part << c.shift;
    }
    return pixel;
}

void PixelPacking::PackRow(const uint32_t* rgb, int32_t count, uint8_t* out) const {
    if (plainRgb32) {
        std::memcpy(out, rgb, size_t(count) * 4);
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        const uint32_t p = Pack(rgb[i]);
        for (int b = 0; b < bytesPerPixel; ++b)
            out[b] = uint8_t(p >> (8 * b));
        out += bytesPerPixel;
    }
}
