// Applying one inflated FrameUpdate to the decoder's picture. Platform-free:
// the changes other than pixels are reported to a sink, so that the reader,
// the tools and the fuzzers can each keep them their own way.
#pragma once
#include <cstdint>

#include "recording/FrameImage.h"
#include "recording/Geometry.h"

namespace vqd {

class FrameUpdateSink {
  public:
    // An area of the picture that changed (image coordinates, right and bottom exclusive).
    virtual void MarkDirty(const Rect& area) = 0;
    virtual void SetCaptureRect(const Rect& rect) = 0;
    virtual void SetCursor(const Point& position, uint16_t leftButton, uint16_t rightButton) = 0;

  protected:
    ~FrameUpdateSink() = default;
};

// Applies the commands of frameUpdate[0, size) in order. Entries that would
// reach outside the picture or the data are skipped one by one; a command that
// does not fit in the data ends the FrameUpdate with what was applied so far.
// False when the FrameUpdate is shorter than 4 bytes or an ImageFormat is
// refused or cannot get its buffers (commands before it stay applied).
bool ApplyFrameUpdate(const uint8_t* frameUpdate, uint32_t size, FrameImage& image,
                      FrameUpdateSink& sink);

// The area a run of `length` bytes marks: from the pixel holding its first
// byte to two pixels beyond the one its end falls into, one row high.
inline Rect RunArea(uint32_t x, uint32_t y, uint32_t byteOffset, uint32_t length,
                    uint32_t bytesPerPixel) {
    return Rect{int32_t(x + byteOffset / bytesPerPixel), int32_t(y),
                int32_t(x + (byteOffset + length) / bytesPerPixel + 2), int32_t(y + 1)};
}

}  // namespace vqd
