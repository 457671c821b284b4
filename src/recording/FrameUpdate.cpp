#include "recording/FrameUpdate.h"

#include <algorithm>
#include <cstring>

#include "recording/ContainerFormat.h"
#include "recording/FrameUpdateFormat.h"

namespace vqd {
namespace {

// The entries of a PixelRuns or MovedRuns command: those that start before
// the command's end and lie wholly inside the FrameUpdate.
struct Entries {
    uint64_t first;
    uint64_t count;
    bool cutShort;  // an entry starts inside the command but does not fit
};

class Applier {
  public:
    Applier(const uint8_t* data, uint32_t size, FrameImage& image, FrameUpdateSink& sink)
        : data_(data), size_(size), image_(image), sink_(sink) {
        const uint32_t areaEnd = ReadU32(data);
        if (areaEnd <= size - kDataAreaHeaderSize) {
            runBytes_ = data + areaEnd;
            runBytesLength_ = std::min(ReadU32(data + areaEnd), size - areaEnd);
        }
    }

    bool Run() {
        const uint32_t areaEnd = ReadU32(data_);
        uint64_t position = 4;
        while (position < areaEnd) {
            if (!Fits(position, kCommandHeaderSize))
                return true;
            const uint32_t commandSize = ReadU32(data_ + position);
            const uint16_t type = ReadU16(data_ + position + 4);
            const uint64_t body = position + kCommandHeaderSize;
            const bool hasPicture = image_.HasPicture();
            if (type == kImageFormat) {
                if (!Fits(body, kBitmapInfoSize))
                    return true;
                if (!image_.SetFormat(data_ + body))
                    return false;
                sink_.MarkDirty(Rect{0, 0, int32_t(image_.width), int32_t(image_.height)});
                position += kImageFormatCommandSize;
            } else if (type == kCaptureRect) {
                if (!Fits(body, 8))
                    return true;
                const uint8_t* b = data_ + body;
                sink_.SetCaptureRect(
                    Rect{ReadU16(b), ReadU16(b + 2), ReadU16(b + 4), ReadU16(b + 6)});
                position += kCaptureRectCommandSize;
            } else if (type == kCursorState) {
                if (!Fits(body, 6))
                    return true;
                const uint8_t* b = data_ + body;
                sink_.SetCursor(Point{ReadU16(b), ReadU16(b + 2)}, b[4], b[5]);
                position += kCursorStateCommandSize;
            } else if ((type == kPixelRuns || type == kMovedRuns) && hasPicture) {
                const uint32_t entrySize = type == kPixelRuns ? kPixelRunSize : kMovedRunSize;
                const Entries entries = FindEntries(body, position + commandSize, entrySize);
                if (type == kPixelRuns)
                    ApplyPixelRuns(entries);
                else
                    ApplyMovedRuns(entries);
                if (entries.cutShort)
                    return true;
                position = body + entries.count * entrySize;
            } else {
                if (commandSize < kCommandHeaderSize)
                    return true;
                position += commandSize;
            }
        }
        return true;
    }

  private:
    bool Fits(uint64_t offset, uint64_t length) const { return offset + length <= size_; }

    Entries FindEntries(uint64_t first, uint64_t end, uint32_t entrySize) const {
        const uint64_t available = first < size_ ? (size_ - first) / entrySize : 0;
        const uint64_t started = first < end ? (end - first + entrySize - 1) / entrySize : 0;
        return Entries{first, std::min(available, started), started > available};
    }

    // Byte offset of (x, y) + byteOffset; may lie outside the picture.
    int64_t Offset(int64_t x, int64_t y, uint32_t byteOffset) const {
        return y * image_.stride + x * image_.bytesPerPixel + byteOffset;
    }
    bool Inside(int64_t offset, uint32_t length) const {
        return offset >= 0 && uint64_t(offset) + length <= image_.imageSize;
    }

    void ApplyPixelRuns(const Entries& entries) {
        for (uint64_t i = 0; i < entries.count; ++i) {
            const uint8_t* e = data_ + entries.first + i * kPixelRunSize;
            const uint16_t x = ReadU16(e), y = ReadU16(e + 2), byteOffset = ReadU16(e + 4),
                           length = ReadU16(e + 6);
            const int64_t destination = Offset(x, y, byteOffset);
            if (uint64_t(runCursor_) + length > runBytesLength_ || !Inside(destination, length))
                continue;
            std::memcpy(image_.currentImage + destination, runBytes_ + runCursor_, length);
            std::memcpy(image_.referenceImage + destination, runBytes_ + runCursor_, length);
            runCursor_ += length;
            sink_.MarkDirty(RunArea(x, y, byteOffset, length, image_.bytesPerPixel));
        }
    }

    struct Move {
        int64_t source, destination;
        uint16_t x, y, byteOffset, length;
        bool valid;
    };
    Move ReadMove(const Entries& entries, uint64_t i) const {
        const uint8_t* e = data_ + entries.first + i * kMovedRunSize;
        const int16_t dx = int16_t(ReadU16(e)), dy = int16_t(ReadU16(e + 2));
        Move m{0, 0, ReadU16(e + 4), ReadU16(e + 6), ReadU16(e + 8), ReadU16(e + 10), false};
        m.source = Offset(int64_t(m.x) - dx, int64_t(m.y) - dy, m.byteOffset);
        m.destination = Offset(m.x, m.y, m.byteOffset);
        m.valid = Inside(m.source, m.length) && Inside(m.destination, m.length);
        return m;
    }

    // Every move reads the picture as it was before the command: first all
    // moves into the current picture, then their results into the reference.
    void ApplyMovedRuns(const Entries& entries) {
        for (uint64_t i = 0; i < entries.count; ++i) {
            const Move m = ReadMove(entries, i);
            if (!m.valid)
                continue;
            std::memcpy(image_.currentImage + m.destination, image_.referenceImage + m.source,
                        m.length);
            sink_.MarkDirty(RunArea(m.x, m.y, m.byteOffset, m.length, image_.bytesPerPixel));
        }
        for (uint64_t i = 0; i < entries.count; ++i) {
            const Move m = ReadMove(entries, i);
            if (!m.valid)
                continue;
            std::memcpy(image_.referenceImage + m.destination, image_.currentImage + m.destination,
                        m.length);
        }
    }

    const uint8_t* data_;
    uint32_t size_;
    FrameImage& image_;
    FrameUpdateSink& sink_;
    const uint8_t* runBytes_ = nullptr;  // the data area, from its length field
    uint32_t runBytesLength_ = 0;
    uint32_t runCursor_ = kDataAreaHeaderSize;
};

}  // namespace

bool ApplyFrameUpdate(const uint8_t* frameUpdate, uint32_t size, FrameImage& image,
                      FrameUpdateSink& sink) {
    if (frameUpdate == nullptr || size < 4)
        return false;
    return Applier(frameUpdate, size, image, sink).Run();
}

}  // namespace vqd
