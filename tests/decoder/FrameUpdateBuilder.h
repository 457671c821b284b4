// FrameUpdates and recordings made command by command for the decoder tests.
#pragma once
#include <cstdint>
#include <vector>

#include "TestFiles.h"
#include "recording/FrameUpdate.h"

// The BITMAPINFO of an image: width x height (negative: top-down), bits per
// pixel; 16-bit images are BI_BITFIELDS 565.
Bytes BitmapInfo(int32_t width, int32_t height, uint16_t bitCount);

class FrameUpdateBuilder {
  public:
    FrameUpdateBuilder& ImageFormat(int32_t width, int32_t height, uint16_t bitCount);
    FrameUpdateBuilder& ImageFormat(const Bytes& bitmapInfo);
    FrameUpdateBuilder& CaptureRect(uint16_t left, uint16_t top, uint16_t right, uint16_t bottom);
    FrameUpdateBuilder& Cursor(uint16_t x, uint16_t y, uint8_t left, uint8_t right);
    // One PixelRuns command; each run's bytes are appended to the data area.
    struct Run {
        uint16_t x, y, byteOffset;
        Bytes bytes;
    };
    FrameUpdateBuilder& PixelRuns(const std::vector<Run>& runs);
    struct Move {
        int16_t dx, dy;
        uint16_t x, y, byteOffset, length;
    };
    FrameUpdateBuilder& MovedRuns(const std::vector<Move>& moves);
    // Any command: header {size, type} and the body as given.
    FrameUpdateBuilder& Command(uint32_t size, uint16_t type, const Bytes& body = {});
    FrameUpdateBuilder& DataBytes(const Bytes& bytes);  // run bytes without an entry

    // commandAreaEnd, the commands, then the data area when there are run bytes.
    Bytes Build() const;

  private:
    Bytes commands_;
    Bytes data_;
};

Bytes Deflate(const Bytes& frameUpdate);
// A plain recording whose records carry these FrameUpdates (deflated).
Bytes RecordingOf(const std::vector<Bytes>& frameUpdates);

// Collects the areas a FrameUpdate marks and where it puts the cursor.
struct RecordingSink : vqd::FrameUpdateSink {
    std::vector<Rect> dirty;
    Point cursor = {};
    void MarkDirty(const Rect& area) override { dirty.push_back(area); }
    void SetCaptureRect(const Rect&) override {}
    void SetCursor(const Point& p, uint16_t, uint16_t) override { cursor = p; }
};

// gtest output of rectangles.
void PrintTo(const Rect& r, std::ostream* os);
