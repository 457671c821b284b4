#include "FrameUpdateBuilder.h"

#include <zlib.h>

#include <ostream>

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
