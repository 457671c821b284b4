// The demo recording the saver carries, and its frames one by one for
// those who compare pictures with it. Platform-free.
#pragma once
#include <cstdint>
#include <vector>

#include "Canvas.h"
#include "recording/RecordingEncoder.h"

namespace demo {

constexpr int kFrames = 300, kFrameMs = 100;

// The 1024 x 768 top-down 16-bit (565) format of every frame.
std::vector<uint8_t> BitmapInfo565();

// The frames in their order: each call paints the next one.
class DemoFrames {
  public:
    DemoFrames();
    vqd::EncoderFrame Next();

  private:
    std::vector<uint8_t> bitmapInfo_;
    Canvas canvas_;
    int next_ = 0;
    int selected_ = -1;
};

// Writes the demo recording; records is how many records it has.
bool WriteDemoRecording(const char* path, uint32_t& records);

}  // namespace demo
