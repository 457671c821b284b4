#include "FrameUpdateBuilder.h"

#include <zlib.h>

#include <ostream>

#include "recording/ContainerFormat.h"
#include "recording/FrameUpdateFormat.h"

namespace {
void AppendU16(Bytes& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
}  // namespace

Bytes BitmapInfo(int32_t width, int32_t height, uint16_t bitCount) {
    Bytes info(kBitmapInfoSize, 0);
    vqd::WriteU32(&info[0], 40);
    vqd::WriteU32(&info[4], uint32_t(width));
    vqd::WriteU32(&info[8], uint32_t(height));
    vqd::WriteU16(&info[12], 1);
    vqd::WriteU16(&info[14], bitCount);
    if (bitCount == 16) {
        vqd::WriteU32(&info[16], 3);  // BI_BITFIELDS
        vqd::WriteU32(&info[40], 0xF800);
        vqd::WriteU32(&info[44], 0x07E0);
        vqd::WriteU32(&info[48], 0x001F);
    }
    if (bitCount == 8)
        for (uint32_t i = 0; i < 256; ++i)
            vqd::WriteU32(&info[40 + 4 * i], i * 0x010101);
    return info;
}

FrameUpdateBuilder& FrameUpdateBuilder::ImageFormat(int32_t width, int32_t height,
                                                    uint16_t bitCount) {
    return ImageFormat(BitmapInfo(width, height, bitCount));
}

FrameUpdateBuilder& FrameUpdateBuilder::ImageFormat(const Bytes& bitmapInfo) {
    return Command(vqd::kImageFormatCommandSize, vqd::kImageFormat, bitmapInfo);
}

FrameUpdateBuilder& FrameUpdateBuilder::CaptureRect(uint16_t left, uint16_t top, uint16_t right,
                                                    uint16_t bottom) {
    Bytes body;
    for (uint16_t v : {left, top, right, bottom})
        AppendU16(body, v);
    return Command(vqd::kCaptureRectCommandSize, vqd::kCaptureRect, body);
}

FrameUpdateBuilder& FrameUpdateBuilder::Cursor(uint16_t x, uint16_t y, uint8_t left,
                                               uint8_t right) {
    const Bytes body{uint8_t(x), uint8_t(x >> 8), uint8_t(y), uint8_t(y >> 8), left, right};
    return Command(vqd::kCursorStateCommandSize, vqd::kCursorState, body);
}

FrameUpdateBuilder& FrameUpdateBuilder::PixelRuns(const std::vector<Run>& runs) {
    Bytes body;
    for (const Run& r : runs) {
        for (uint16_t v : {r.x, r.y, r.byteOffset, uint16_t(r.bytes.size())})
            AppendU16(body, v);
        data_.insert(data_.end(), r.bytes.begin(), r.bytes.end());
    }
    return Command(uint32_t(vqd::kCommandHeaderSize + body.size()), vqd::kPixelRuns, body);
}

FrameUpdateBuilder& FrameUpdateBuilder::MovedRuns(const std::vector<Move>& moves) {
    Bytes body;
    for (const Move& m : moves)
        for (uint16_t v : {uint16_t(m.dx), uint16_t(m.dy), m.x, m.y, m.byteOffset, m.length})
            AppendU16(body, v);
    return Command(uint32_t(vqd::kCommandHeaderSize + body.size()), vqd::kMovedRuns, body);
}

FrameUpdateBuilder& FrameUpdateBuilder::Command(uint32_t size, uint16_t type, const Bytes& body) {
    AppendU32(commands_, size);
    AppendU16(commands_, type);
    commands_.insert(commands_.end(), body.begin(), body.end());
    return *this;
}

FrameUpdateBuilder& FrameUpdateBuilder::DataBytes(const Bytes& bytes) {
    data_.insert(data_.end(), bytes.begin(), bytes.end());
    return *this;
}

Bytes FrameUpdateBuilder::Build() const {
    Bytes out;
    AppendU32(out, uint32_t(4 + commands_.size()));
    out.insert(out.end(), commands_.begin(), commands_.end());
    if (!data_.empty()) {
        AppendU32(out, uint32_t(4 + data_.size()));
        out.insert(out.end(), data_.begin(), data_.end());
    }
    return out;
}

Bytes Deflate(const Bytes& frameUpdate) {
    uLongf size = compressBound(uLong(frameUpdate.size()));
    Bytes out(size);
    compress2(out.data(), &size, frameUpdate.data(), uLong(frameUpdate.size()),
              Z_DEFAULT_COMPRESSION);
    out.resize(size);
    return out;
}

Bytes RecordingOf(const std::vector<Bytes>& frameUpdates) {
    std::vector<TestRecord> records;
    for (const Bytes& u : frameUpdates)
        records.push_back(TestRecord{100, Deflate(u)});
    return MakeRecording(records);
}

void PrintTo(const Rect& r, std::ostream* os) {
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
