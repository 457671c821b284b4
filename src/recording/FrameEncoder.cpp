#include "recording/FrameEncoder.h"

#include <algorithm>
#include <cstring>

#include "recording/FrameUpdateFormat.h"
#include "recording/RecordingFile.h"

namespace vqd {
namespace {
// Unchanged bytes between two changes of a row that one run bridges rather
// than paying for a second entry.
constexpr uint32_t kMergeGap = kPixelRunSize;

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, uint16_t(v));
    PutU16(out, uint16_t(v >> 16));
}
void PutCommandHeader(std::vector<uint8_t>& out, uint32_t size, CommandType type) {
    PutU32(out, size);
    PutU16(out, type);
}
// Bytes the entries and run bytes of a stretch of `length` bytes cost.
uint64_t RunCost(uint32_t length) {
    return uint64_t(length) + kPixelRunSize * ((uint64_t(length) + kLongestRun - 1) / kLongestRun);
}
}  // namespace

bool FrameEncoder::Encode(const EncoderFrame& frame, std::vector<uint8_t>& frameUpdate) {
    frameUpdate.clear();
    ImageLayout layout;
    const Rect& area = frame.captureRect;
    if (!LayoutOf(frame.bitmapInfo, layout) || area.left < 0 || area.top < 0 ||
        area.right > int32_t(layout.width) || area.bottom > int32_t(layout.height) ||
        area.left > area.right || area.top > area.bottom)
        return false;
    commands_.clear();
    moves_.clear();
    pixelRuns_.clear();
    runBytes_.clear();

    if (!started_ || std::memcmp(bitmapInfo_, frame.bitmapInfo, kBitmapInfoSize) != 0) {
        PutCommandHeader(commands_, kImageFormatCommandSize, kImageFormat);
        commands_.insert(commands_.end(), frame.bitmapInfo, frame.bitmapInfo + kBitmapInfoSize);
        std::memcpy(bitmapInfo_, frame.bitmapInfo, kBitmapInfoSize);
        layout_ = layout;
        picture_.assign(layout.imageSize, 0);  // a new format starts from a black picture
    }
    if (!started_ || !(area == captureRect_)) {
        PutCommandHeader(commands_, kCaptureRectCommandSize, kCaptureRect);
        for (int32_t v : {area.left, area.top, area.right, area.bottom})
            PutU16(commands_, uint16_t(v));
        captureRect_ = area;
    }
    const Point cursor{std::clamp(frame.cursor.x, 0, 0xFFFF),
                       std::clamp(frame.cursor.y, 0, 0xFFFF)};
    if (!started_ || !(cursor == cursor_) || buttons_[0] != frame.leftButton ||
        buttons_[1] != frame.rightButton) {
        cursor_ = cursor;
        buttons_[0] = frame.leftButton;
        buttons_[1] = frame.rightButton;
        AddCursorState();
    }
    started_ = true;

    moveDetector_.Find(picture_.data(), frame.pixels, layout_, area, moves_);
    if (!moves_.empty()) {
        PutCommandHeader(commands_, uint32_t(kCommandHeaderSize + kMovedRunSize * moves_.size()),
                         kMovedRuns);
        for (const MovedRun& m : moves_) {
            for (uint16_t v : {uint16_t(m.dx), uint16_t(m.dy), m.x, m.y, uint16_t(0), m.length})
                PutU16(commands_, v);
        }
    }
    AddPixelRuns(frame);
    if (!pixelRuns_.empty()) {
        PutCommandHeader(commands_, uint32_t(kCommandHeaderSize + pixelRuns_.size()), kPixelRuns);
        commands_.insert(commands_.end(), pixelRuns_.begin(), pixelRuns_.end());
    }
    // The player's picture is now the frame inside the capture rectangle.
    const size_t begin = size_t(area.left) * layout_.bytesPerPixel;
    const size_t length = size_t(area.right - area.left) * layout_.bytesPerPixel;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const size_t row = size_t(y) * layout_.stride + begin;
        std::memcpy(picture_.data() + row, frame.pixels + row, length);
    }
    if (commands_.empty())
        return true;
    Assemble(frameUpdate);
    return frameUpdate.size() <= RecordingFile::kLargestFrameUpdate;
}

void FrameEncoder::AddCursorState() {
    PutCommandHeader(commands_, kCursorStateCommandSize, kCursorState);
    PutU16(commands_, uint16_t(cursor_.x));
    PutU16(commands_, uint16_t(cursor_.y));
    commands_.push_back(buttons_[0]);
    commands_.push_back(buttons_[1]);
}

void FrameEncoder::RestateCursor(std::vector<uint8_t>& frameUpdate) {
    frameUpdate.clear();
    if (!started_)
        return;
    commands_.clear();
    pixelRuns_.clear();
    AddCursorState();
    Assemble(frameUpdate);
}

// Runs for the rows of the capture rectangle, against the picture as the
// moves leave it.
void FrameEncoder::AddPixelRuns(const EncoderFrame& frame) {
    const Rect& area = frame.captureRect;
    size_t nextMove = 0;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const size_t row = size_t(y) * layout_.stride;
        const uint8_t* have = picture_.data() + row;
        if (nextMove < moves_.size() && moves_[nextMove].y == y) {
            row_.assign(have, have + layout_.stride);
            for (; nextMove < moves_.size() && moves_[nextMove].y == y; ++nextMove) {
                const MovedRun& m = moves_[nextMove];
                const size_t source =
                    size_t(y - m.dy) * layout_.stride + size_t(m.x - m.dx) * layout_.bytesPerPixel;
                std::memcpy(row_.data() + size_t(m.x) * layout_.bytesPerPixel,
                            picture_.data() + source, m.length);
            }
            have = row_.data();
        }
        AddRowRuns(frame.pixels + row, have, uint32_t(y));
    }
}

// One run per changed stretch of the row (stretches closer than kMergeGap
// joined), or a single run over all of them when that costs less.
void FrameEncoder::AddRowRuns(const uint8_t* want, const uint8_t* have, uint32_t y) {
    const uint32_t bpp = layout_.bytesPerPixel;
    const uint32_t begin = uint32_t(captureRect_.left) * bpp,
                   end = uint32_t(captureRect_.right) * bpp;
    if (std::memcmp(want + begin, have + begin, end - begin) == 0)
        return;
    stretches_.clear();
    for (uint32_t p = begin; p < end; ++p) {
        if (want[p] == have[p])
            continue;
        if (!stretches_.empty() && p - stretches_.back().end <= kMergeGap)
            stretches_.back().end = p + 1;
        else
            stretches_.push_back(Stretch{p, p + 1});
    }
    uint64_t separate = 0;
    for (const Stretch& s : stretches_)
        separate += RunCost(s.end - s.begin);
    const Stretch whole{stretches_.front().begin, stretches_.back().end};
    if (RunCost(whole.end - whole.begin) <= separate) {
        stretches_.clear();
        stretches_.push_back(whole);
    }
    for (const Stretch& s : stretches_) {
        for (uint32_t p = s.begin; p < s.end; p += kLongestRun) {
            const uint32_t n = std::min(kLongestRun, s.end - p);
            for (uint32_t v : {p / bpp, y, p % bpp, n})
                PutU16(pixelRuns_, uint16_t(v));
            runBytes_.insert(runBytes_.end(), want + p, want + p + n);
        }
    }
}

void FrameEncoder::Assemble(std::vector<uint8_t>& frameUpdate) const {
    PutU32(frameUpdate, uint32_t(4 + commands_.size()));
    frameUpdate.insert(frameUpdate.end(), commands_.begin(), commands_.end());
    if (pixelRuns_.empty())
        return;
    PutU32(frameUpdate, uint32_t(kDataAreaHeaderSize + runBytes_.size()));
    frameUpdate.insert(frameUpdate.end(), runBytes_.begin(), runBytes_.end());
}

}  // namespace vqd
