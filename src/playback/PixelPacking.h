// How a surface stores a pixel: 2, 3 or 4 bytes with red, green and blue
// at the bits its masks give. Pixels arrive as 0x00RRGGBB.
#pragma once
#include <cstdint>

class PixelPacking {
  public:
    // False for what the presenter does not write: palette indexes, fewer
    // than 16 or more than 32 bits, a missing channel.
    bool Take(int bitCount, uint32_t red, uint32_t green, uint32_t blue);
    int BytesPerPixel() const { return bytesPerPixel; }
    void PackRow(const uint32_t* rgb, int32_t count, uint8_t* out) const;

  private:
    struct Channel {
        int shift = 0;  // of the channel's lowest bit in the pixel
        int bits = 8;
    };
    uint32_t Pack(uint32_t rgb) const;

    int bytesPerPixel = 4;
    bool plainRgb32 = true;  // 0x00RRGGBB itself
    Channel channels[3];     // red, green, blue
};
