// The decoder's picture of the recorded screen.
#pragma once
#include <cstdint>

constexpr uint32_t kBitmapInfoSize = 1064;  // BITMAPINFOHEADER + 256 RGBQUAD
constexpr uint32_t kLargestImageSide = 16384;
// Largest picture buffer accepted (each of the two): 128 MiB holds an 8K
// screen (7680 x 4320) at 32 bits per pixel, 126.6 MiB. Both buffers and the
// largest inflated FrameUpdate together stay below 400 MiB.
constexpr uint32_t kLargestImageSize = 128u << 20;

// The geometry an ImageFormat body gives the picture.
struct ImageLayout {
    uint32_t width, height, bytesPerPixel, stride, imageSize;
};
// False for fewer than 8 bits per pixel, a width or height of 0 or above
// kLargestImageSide, or a picture above kLargestImageSize.
bool LayoutOf(const uint8_t* bitmapInfo, ImageLayout& layout);

struct FrameImage {
    uint8_t bitmapInfo[kBitmapInfoSize] = {};  // the last ImageFormat body
    uint8_t* currentImage = nullptr;           // what the presenter shows
    uint8_t* referenceImage = nullptr;         // the source of moved runs
    uint32_t width = 0;
    uint32_t height = 0;  // |biHeight|; its sign keeps the row order
    uint32_t bytesPerPixel = 0;
    uint32_t stride = 0;  // width * bytesPerPixel rounded up to 4
    uint32_t imageSize = 0;

    int32_t BiHeight() const;   // signed, as recorded
    uint16_t BitCount() const;  // biBitCount
    bool HasPicture() const { return currentImage != nullptr && referenceImage != nullptr; }

    // Takes a new format (an ImageFormat body of kBitmapInfoSize bytes) with a
    // zeroed picture. A body LayoutOf refuses leaves everything as it was; when
    // the buffers cannot be had there is no picture afterwards. Returns whether
    // the picture exists.
    bool SetFormat(const uint8_t* body);
    // No format and no picture.
    void Clear();
};
