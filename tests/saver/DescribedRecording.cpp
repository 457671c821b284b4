#include "DescribedRecording.h"

#include "FrameUpdateBuilder.h"

bool WriteDescribedRecording(const std::string& path, const vqd::RecordingInfo& info,
                             uint32_t lengthMs) {
    const int size = 16;
    const Bytes bitmapInfo = BitmapInfo(size, -size, 32);
    Bytes pixels(size_t(size) * size * 4, 0x20);
    vqd::RecordingEncoder encoder;
    if (!encoder.Create(path.c_str(), info))
        return false;
    bool added =
        encoder.AddFrame({bitmapInfo.data(), pixels.data(), {0, 0, size, size}, {1, 1}, 0, 0}, 0);
    pixels.assign(pixels.size(), 0xC0);
    added = encoder.AddFrame({bitmapInfo.data(), pixels.data(), {0, 0, size, size}, {1, 1}, 0, 0},
                             lengthMs) &&
            added;
    return encoder.Finish() && added;
}
