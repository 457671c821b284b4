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

int32_t FrameImage::BiHeight() const { return int32_t(vqd::ReadU32(bitmapInfo + kBiHeight)); }

uint16_t FrameImage::BitCount() const { return vqd::ReadU16(bitmapInfo + kBiBitCount); }

bool FrameImage::SetFormat(const uint8_t* body) {
  const int64_t biWidth = int32_t(vqd::ReadU32(body + kBiWidth));
  const int64_t biHeight = int32_t(vqd::ReadU32(body + kBiHeight));
  const uint32_t bitCount = vqd::ReadU16(body + kBiBitCount);
  const uint64_t newHeight = uint64_t(biHeight < 0 ? -biHeight : biHeight);
  if (bitCount < 8 || biWidth <= 0 || biWidth > kLargestImageSide || newHeight == 0 ||
      newHeight > kLargestImageSide)
    return false;
  const uint64_t newBytesPerPixel = bitCount / 8;
  const uint64_t newStride = (uint64_t(biWidth) * newBytesPerPixel + 3) & ~uint64_t(3);
  const uint64_t newSize = newStride * newHeight;
  if (newSize > kLargestImageSize) return false;

  Clear();
  std::memcpy(bitmapInfo, body, kBitmapInfoSize);
  currentImage = static_cast<uint8_t*>(std::calloc(newSize, 1));
  referenceImage = currentImage ? static_cast<uint8_t*>(std::calloc(newSize, 1)) : nullptr;
  if (!referenceImage) {
    Clear();
    return false;
  }
  width = uint32_t(biWidth);
  height = uint32_t(newHeight);
  bytesPerPixel = uint32_t(newBytesPerPixel);
  stride = uint32_t(newStride);
  imageSize = uint32_t(newSize);
  return true;
}

void FrameImage::Clear() {
  std::free(currentImage);
  std::free(referenceImage);
  *this = FrameImage();
}
