#include "SyntheticSession.h"

#include <algorithm>
#include <random>
#include <vector>

#include "recording/ContainerFormat.h"
#include "recording/RecordingEncoder.h"

namespace {

constexpr int kWidth = kSyntheticWidth, kHeight = kSyntheticHeight;

class Screen {
  public:
    Screen() : pixels_(size_t(kWidth) * kHeight) {}
    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(pixels_.data()); }
    void Fill(int l, int t, int r, int b, uint32_t colour) {
        l = std::max(l, 0), t = std::max(t, 0), r = std::min(r, kWidth), b = std::min(b, kHeight);
        for (int y = t; y < b; ++y)
            if (l < r)
                std::fill(&pixels_[size_t(y) * kWidth + l], &pixels_[size_t(y) * kWidth + r],
                          colour);
    }
    // Rows of "text": short dark strokes whose pattern depends on line.
    void TextLine(int l, int t, int width, uint32_t line) {
        std::mt19937 random(line);
        for (int x = l; x < l + width - 8; x += 7)
            if (random() % 6)
                Fill(x, t + int(random() % 3), x + 5, t + 9, 0x202020 + (random() % 2) * 0x000060);
    }

  private:
    std::vector<uint32_t> pixels_;
};

// Where the dragged window is: back and forth, and down in steps.
Point WindowAt(int t) {
    const int swing = t % 200 < 100 ? t % 100 : 100 - t % 100;
    return Point{700 + 4 * swing, 500 + (t % 50) * 3};
}

void Paint(Screen& s, int t) {
    for (int y = 0; y < kHeight - 40; y += 60)
        s.Fill(0, y, kWidth, y + 60, 0x204880 + uint32_t(y / 60) * 0x020202);
    s.Fill(0, kHeight - 40, kWidth, kHeight, 0xC0C0C0);
    // A document scrolling one line every other frame.
    s.Fill(100, 100, 1100, 900, 0xFFFFFF);
    const int scroll = (t / 2) % 200;
    for (int line = 0; line < 56; ++line)
        s.TextLine(120, 110 + line * 14, 900 - (line * 37) % 300, uint32_t(line + scroll));
    // Text typed into a second window, a few characters a frame.
    s.Fill(1200, 150, 1800, 600, 0xF8F8F0);
    const int typed = (t * 3) % 2000;
    for (int i = 0; i < typed; ++i)
        s.Fill(1210 + (i % 80) * 7, 160 + (i / 80) * 16, 1215 + (i % 80) * 7, 170 + (i / 80) * 16,
               0x101010);
    // A window dragged around.
    const int wx = WindowAt(t).x, wy = WindowAt(t).y;
    s.Fill(wx, wy, wx + 500, wy + 320, 0xD4D0C8);
    s.Fill(wx + 3, wy + 3, wx + 497, wy + 24, 0x0A246A);
    for (int line = 0; line < 18; ++line)
        s.TextLine(wx + 10, wy + 34 + line * 15, 470, uint32_t(1000 + line));
    // The clock.
    s.Fill(1800, kHeight - 34, 1900, kHeight - 6, 0xC0C0C0 - uint32_t(t / 10 % 60));
}

// Paints every frame in turn and hands it on; false when the sink refuses one.
template <typename Sink>
bool PaintFrames(int frames, Sink sink) {
    Screen screen;
    for (int t = 0; t < frames; ++t) {
        Paint(screen, t);
        if (!sink(screen.Bytes(), t))
            return false;
    }
    return true;
}

}  // namespace

bool WriteSyntheticFrames(FILE* out, int frames) {
    const size_t frameBytes = size_t(kWidth) * kHeight * 4;
    return PaintFrames(frames, [&](const uint8_t* pixels, int) {
        return std::fwrite(pixels, 1, frameBytes, out) == frameBytes;
    });
}

bool WriteSyntheticSession(const std::string& path, int frames) {
    std::vector<uint8_t> info(kBitmapInfoSize, 0);
    vqd::WriteU32(&info[0], 40);
    vqd::WriteU32(&info[4], kWidth);
    vqd::WriteU32(&info[8], uint32_t(-kHeight));
    vqd::WriteU16(&info[12], 1);
    vqd::WriteU16(&info[14], 32);
    vqd::RecordingEncoder writer;
    vqd::RecordingInfo recording;
    recording.title = "Synthetic desktop";
    if (!writer.Create(path.c_str(), recording))
        return false;
    const bool painted = PaintFrames(frames, [&](const uint8_t* pixels, int t) {
        const vqd::EncoderFrame frame{info.data(),
                                      pixels,
                                      Rect{0, 0, kWidth, kHeight},
                                      Point{WindowAt(t).x + 100, WindowAt(t).y + 12},
                                      0,
                                      0};
        return writer.AddFrame(frame, uint32_t(t * 100));
    });
    return painted && writer.Finish();
}
