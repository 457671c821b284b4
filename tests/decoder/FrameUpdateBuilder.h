// FrameUpdates and recordings made command by command for the decoder tests.
#pragma once
#include <cstdint>
#include <vector>

#include "TestFiles.h"
#include "recording/ContainerFormat.h"
#include "recording/FrameUpdate.h"
#include "recording/FrameUpdateFormat.h"

// The BITMAPINFO of an image: width x height (negative: top-down), bits per
// pixel; 16-bit images are BI_BITFIELDS 565.
Bytes BitmapInfo(int32_t width, int32_t height, uint16_t bitCount);

class FrameUpdateBuilder {
  public:
    FrameUpdateBuilder& ImageFormat(int32_t width, int32_t height, uint16_t bitCount) {
        return ImageFormat(BitmapInfo(width, height, bitCount));
    }
    FrameUpdateBuilder& ImageFormat(const Bytes& info) {
        return Command(vqd::kImageFormatCommandSize, vqd::kImageFormat, info);
    }
    FrameUpdateBuilder& CaptureRect(uint16_t left, uint16_t top, uint16_t right, uint16_t bottom) {
        return Command(vqd::kCaptureRectCommandSize, vqd::kCaptureRect,
                       U16s({left, top, right, bottom}));
    }
    FrameUpdateBuilder& Cursor(uint16_t x, uint16_t y, uint8_t left, uint8_t right) {
        const Bytes body{uint8_t(x), uint8_t(x >> 8), uint8_t(y), uint8_t(y >> 8), left, right};
        return Command(vqd::kCursorStateCommandSize, vqd::kCursorState, body);
    }
    // One PixelRuns command; each run's bytes are appended to the data area.
    struct Run {
        uint16_t x, y, byteOffset;
        Bytes bytes;
    };
    FrameUpdateBuilder& PixelRuns(const std::vector<Run>& runs) {
        Bytes body;
        for (const Run& r : runs) {
            Append(body, U16s({r.x, r.y, r.byteOffset, uint16_t(r.bytes.size())}));
            Append(data_, r.bytes);
        }
        return Command(uint32_t(vqd::kCommandHeaderSize + body.size()), vqd::kPixelRuns, body);
    }
    struct Move {
        int16_t dx, dy;
        uint16_t x, y, byteOffset, length;
    };
    FrameUpdateBuilder& MovedRuns(const std::vector<Move>& moves) {
        Bytes body;
        for (const Move& m : moves)
            Append(body, U16s({uint16_t(m.dx), uint16_t(m.dy), m.x, m.y, m.byteOffset, m.length}));
        return Command(uint32_t(vqd::kCommandHeaderSize + body.size()), vqd::kMovedRuns, body);
    }
    // Any command: header {size, type} and the body as given.
    FrameUpdateBuilder& Command(uint32_t size, uint16_t type, const Bytes& body = {}) {
        AppendU32(commands_, size);
        Append(commands_, U16s({type}));
        Append(commands_, body);
        return *this;
    }
    FrameUpdateBuilder& DataBytes(const Bytes& bytes) {  // run bytes without an entry
        Append(data_, bytes);
        return *this;
    }
    // commandAreaEnd, the commands, then the data area when there are run bytes.
    Bytes Build() const {
        Bytes out;
        AppendU32(out, uint32_t(4 + commands_.size()));
        Append(out, commands_);
        if (!data_.empty()) {
            AppendU32(out, uint32_t(4 + data_.size()));
            Append(out, data_);
        }
        return out;
    }

  private:
    static Bytes U16s(std::initializer_list<uint16_t> values) {
        Bytes out;
        for (uint16_t v : values) {
            out.push_back(uint8_t(v));
            out.push_back(uint8_t(v >> 8));
        }
        return out;
    }
    static void Append(Bytes& out, const Bytes& bytes) {
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    Bytes commands_, data_;
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
