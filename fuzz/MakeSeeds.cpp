// Writes the fuzzers' seed corpus from the encoder: small recordings, plain
// and appended to a host, and their FrameUpdates behind a picture choice.
//   fuzz-seeds CONTAINER_DIR FRAME_UPDATE_DIR
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "recording/ContainerFormat.h"
#include "recording/FrameEncoder.h"
#include "recording/RecordingEncoder.h"

namespace {

using Bytes = std::vector<uint8_t>;

bool Save(const std::string& path, const Bytes& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

Bytes Load(const std::string& path) {
    Bytes bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    for (int c; (c = std::fgetc(f)) != EOF;)
        bytes.push_back(uint8_t(c));
    std::fclose(f);
    return bytes;
}

// Six frames of a 40 x 24 picture: noise, a block moved, a few pixels, a click.
std::vector<Bytes> Frames(const ImageLayout& layout, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<Bytes> frames(1, Bytes(layout.imageSize));
    for (uint8_t& b : frames[0])
        b = uint8_t(random() % 4 == 0 ? random() : 0);
    for (int i = 1; i < 6; ++i) {
        Bytes next = frames.back();
        const size_t row = layout.stride, bpp = layout.bytesPerPixel;
        if (i == 2)
            for (size_t y = 4; y < 12; ++y)
                std::memcpy(&next[(y + 3) * row + 6 * bpp], &frames.back()[y * row + 2 * bpp],
                            16 * bpp);
        if (i == 3)
            for (int k = 0; k < 5; ++k)
                next[random() % next.size()] ^= 0x5A;
        frames.push_back(next);
    }
    return frames;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz-seeds CONTAINER_DIR FRAME_UPDATE_DIR\n");
        return 2;
    }
    const std::string containers = argv[1], updates = argv[2];
    int written = 0;
    for (uint16_t bitCount : {8, 16, 24, 32}) {
        uint8_t info[kBitmapInfoSize] = {};
        vqd::WriteU32(info, 40);
        vqd::WriteU32(info + 4, 40);
        vqd::WriteU32(info + 8, uint32_t(bitCount == 16 ? -24 : 24));
        vqd::WriteU16(info + 14, bitCount);
        ImageLayout layout;
        if (!LayoutOf(info, layout))
            return 1;
        const std::vector<Bytes> frames = Frames(layout, bitCount);
        const std::string name = std::to_string(bitCount);

        vqd::RecordingEncoder writer;
        vqd::FrameEncoder encoder;
        const std::string path = containers + "/plain-" + name + ".vqd";
        if (!writer.Create(path.c_str(), vqd::RecordingInfo()))
            return 1;
        Bytes update;
        for (size_t i = 0; i < frames.size(); ++i) {
            const vqd::EncoderFrame frame{info,
                                          frames[i].data(),
                                          Rect{2, 1, 38, 23},
                                          Point{int32_t(i * 5), 7},
                                          uint8_t(i == 5),
                                          0};
            if (!writer.AddFrame(frame, uint32_t(i * 100)) || !encoder.Encode(frame, update))
                return 1;
            if (update.empty())
                continue;
            // The picture the update expects: none for the first, else 40 x 24 at this depth.
            Bytes seed = {uint8_t(i == 0 ? 0x80 : (bitCount / 8 - 1)), 39, 23,
                          uint8_t(bitCount == 16)};
            seed.insert(seed.end(), update.begin(), update.end());
            if (!Save(updates + "/update-" + name + "-" + std::to_string(i), seed))
                return 1;
            ++written;
        }
        if (!writer.Finish())
            return 1;
        Bytes embedded(64, 'M');
        const Bytes recording = Load(path);
        embedded.insert(embedded.end(), recording.begin(), recording.end());
        embedded.resize(embedded.size() + vqd::kTrailerSize);
        vqd::WriteU32(&embedded[embedded.size() - 8], uint32_t(recording.size()));
        vqd::WriteU32(&embedded[embedded.size() - 4], vqd::kMagic);
        if (recording.empty() || !Save(containers + "/embedded-" + name + ".exe", embedded))
            return 1;
        written += 2;
    }
    std::printf("%d seeds\n", written);
    return 0;
}
