// Byte layout of a FrameUpdate, the inflated payload of one record:
//   u32 commandAreaEnd, commands in [4, commandAreaEnd), then a data area
//   {u32 dataAreaLength (counting these 4 bytes), run bytes}.
// Each command starts with {u32 commandSize, u16 commandType}.
#pragma once
#include <cstdint>

#include "recording/FrameImage.h"

namespace vqd {

enum CommandType : uint16_t {
    kImageFormat = 1,  // body: BITMAPINFOHEADER + 256 RGBQUAD
    kCaptureRect = 2,  // body: u16 left, top, right, bottom
    kCursorState = 3,  // body: u16 x, y, u8 first button, u8 second button
    kPixelRuns = 4,    // entries: u16 x, y, byteOffset, length
    kMovedRuns = 5,    // entries: s16 dx, dy, u16 x, y, byteOffset, length
};

constexpr uint32_t kCommandHeaderSize = 6;
constexpr uint32_t kImageFormatCommandSize = kCommandHeaderSize + kBitmapInfoSize;
constexpr uint32_t kCaptureRectCommandSize = kCommandHeaderSize + 8;
constexpr uint32_t kCursorStateCommandSize = kCommandHeaderSize + 6;
constexpr uint32_t kPixelRunSize = 8;
constexpr uint32_t kMovedRunSize = 12;
constexpr uint32_t kDataAreaHeaderSize = 4;
constexpr uint32_t kLongestRun = 0xFFFF;  // run lengths and offsets are u16

}  // namespace vqd
