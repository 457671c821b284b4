#include "recording/FrameImage.h"

#include <cstdlib>
#include <cstring>

#include "recording/ContainerFormat.h"

namespace {
// BITMAPINFOHEADER fields used here.
constexpr uint32_t kBiWidth = 4;
constexpr uint32_t kBiHeight = 8;
constexpr uint32_t kBiBitCount = 14;
}  // namespace

int32_t FrameImage::BiHeight() const {
    return int32_t(vqd::ReadU32(bitmapInfo + kBiHeight));
}

uint16_t FrameImage::BitCount() const {
    return vqd::ReadU16(bitmapInfo + kBiBitCount);
}

bool LayoutOf(const uint8_t* bitmapInfo, ImageLayout& layout) {
    const int64_t biWidth = int32_t(vqd::ReadU32(bitmapInfo + kBiWidth));
    const int64_t biHeight = int32_t(vqd::ReadU32(bitmapInfo + kBiHeight));
    const uint32_t bitCount = vqd::ReadU16(bitmapInfo + kBiBitCount);
    const uint64_t height = uint64_t(biHeight < 0 ? -biHeight : biHeight);
    if (bitCount < 8 || biWidth <= 0 || biWidth > kLargestImageSide || height == 0 ||
        height > kLargestImageSide)
        return false;
    const uint64_t bytesPerPixel = bitCount / 8;
    const uint64_t stride = (uint64_t(biWidth) * bytesPerPixel + 3) & ~uint64_t(3);
    if (stride * height > kLargestImageSize)
        return false;
    layout = ImageLayout{uint32_t(biWidth), uint32_t(height), uint32_t(bytesPerPixel),
                         uint32_t(stride), uint32_t(stride * height)};
    return true;
}

bool FrameImage::SetFormat(const uint8_t* body) {
    ImageLayout layout;
    if (!LayoutOf(body, layout))
        return false;
    Clear();
    std::memcpy(bitmapInfo, body, kBitmapInfoSize);
    currentImage = static_cast<uint8_t*>(std::calloc(layout.imageSize, 1));
    referenceImage =
        currentImage ? static_cast<uint8_t*>(std::calloc(layout.imageSize, 1)) : nullptr;
    if (!referenceImage) {
        Clear();
        return false;
    }
    width = layout.width;
    height = layout.height;
    bytesPerPixel = layout.bytesPerPixel;
    stride = layout.stride;
    imageSize = layout.imageSize;
    return true;
}

void FrameImage::Clear() {
    std::free(currentImage);
    std::free(referenceImage);
    *this = FrameImage();
}
