// What the writing side of a recording consults: the screen-capture engine
// that produces FrameUpdates. The saver never records; tools and tests
// provide engines of their own.
#pragma once
#include <cstdint>
#include <vector>

#include "recording/Geometry.h"

class CaptureEngine {
  public:
    virtual ~CaptureEngine() = default;
    virtual bool IsRecording() const = 0;
    virtual uint32_t FrameRate() const = 0;
    virtual uint32_t SecondRate() const = 0;
    virtual uint32_t BitsPerPixel() const = 0;
    virtual Rect CaptureArea() const = 0;
    // Receives 44100 or 22050 when the quality changes.
    virtual void SetSampleRate(uint32_t rate) = 0;
    virtual void ClearBuffers() = 0;
    // The next FrameUpdate (uncompressed); false when there is none now.
    virtual bool CaptureFrameUpdate(std::vector<uint8_t>& frameUpdate) = 0;
};
