#include "PlaybackFixture.h"

#include "e2e/Input.h"
#include "e2e/Registry.h"
#include "e2e/WindowWait.h"

using namespace saver_e2e;

namespace playback_e2e {

const char kSettingsKey[] = "Software\\Quorvane\\Screen Saver";

void Store(const Settings& s) {
    e2e::WriteString(kSettingsKey, "Path", s.path);
    e2e::WriteDword(kSettingsKey, "Auto repeat", s.repeat);
    e2e::WriteDword(kSettingsKey, "Quick play", s.quick);
    e2e::WriteDword(kSettingsKey, "Draw mouse clicks", s.clicks);
    e2e::WriteDword(kSettingsKey, "Scale to fit screen", s.scale);
    e2e::WriteDword(kSettingsKey, "Play on every monitor", s.every);
}

std::string Write(const TestRecording& t, const std::string& name, uint32_t frames,
                  const vqd::RecordingInfo& rates) {
    const std::string path = TempPath(name);
    const Bytes info =
        BitmapInfo(kImageWidth, t.topDown ? -kImageHeight : kImageHeight, t.bitCount);
    const uint32_t bpp = t.bitCount / 8, stride = (kImageWidth * bpp + 3) & ~3u;
    Bytes pixels(size_t(stride) * kImageHeight);
    vqd::RecordingEncoder encoder;
    EXPECT_TRUE(encoder.Create(path.c_str(), rates));
    for (uint32_t frame = 0; frame < frames; ++frame) {
        for (uint32_t y = 0; y < kImageHeight; ++y)
            for (uint32_t i = 0; i < kImageWidth * bpp; ++i)
                pixels[y * stride + i] =
                    t.tiled
                        ? uint8_t((i / bpp / 16) * 37 + (y / 16) * 71 + i % bpp * 50 + frame * 40)
                        : uint8_t(i * 5 + y * 3 + frame * 40);
        const uint8_t left = frame == frames - 1 ? t.leftAtEnd : 0;
        EXPECT_TRUE(encoder.AddFrame({info.data(), pixels.data(), t.capture, {400, 300}, left, 0},
                                     frame * 100));
    }
    EXPECT_TRUE(encoder.Finish());
    return path;
}

Decoded::Decoded(const std::string& path) {
    EXPECT_TRUE(file.Initialize());
    EXPECT_TRUE(file.Open(path.c_str(), LockedFile::kRead));
    file.SetQuickPlay(1);
    file.Restart();
    for (int i = 0; i < 100 && file.PlayStep(); ++i) {
    }
}

uint32_t Decoded::Colour(int x, int row) const {
    const FrameImage& image = file.GetFrameImage();
    const uint8_t* p =
        image.currentImage + size_t(row) * image.stride + size_t(x) * image.bytesPerPixel;
    if (image.bytesPerPixel != 2)
        return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    const uint32_t v = p[0] | p[1] << 8, r = v >> 11 & 31, g = v >> 5 & 63, b = v & 31;
    return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int(a >> shift & 255) - int(b >> shift & 255)) > tolerance)
            return false;
    return true;
}

int Tolerance(uint16_t recordingBits) {
    HDC screen = GetDC(nullptr);
    const bool display16 = GetDeviceCaps(screen, BITSPIXEL) == 16;
    ReleaseDC(nullptr, screen);
    return display16 ? 8 : recordingBits == 16 ? 4 : 0;
}

int Differences(const e2e::Picture& screen, const Decoded& decoded, const PresentationLayout& l,
                const Rect& capture, int tolerance) {
    int wrong = 0;
    for (int y = l.picture.top; y < l.picture.bottom; ++y)
        for (int x = l.picture.left; x < l.picture.right; ++x) {
            const int sx = l.source.left + x - l.picture.left,
                      sy = l.source.top + y - l.picture.top;
            // The capture's memory rows keep the image's orientation on screen.
            const bool topDown = decoded.file.GetFrameImage().BiHeight() < 0;
            const int row = topDown ? capture.top + sy : capture.bottom - 1 - sy;
            wrong += !Near(screen.At(x, y), decoded.Colour(capture.left + sx, row), tolerance);
        }
    return wrong;
}

void PlaybackE2E::SetUp() {
    e2e::MoveCursorTo(512, 384);
}

void PlaybackE2E::TearDown() {
    if (window && IsWindow(window)) {
        e2e::PressKeyAndRelease(VK_SPACE);
        EXPECT_EQ(ExitCodeAfterWindowGone(saver, window), 0u) << "the saver still ends on input";
    }
    e2e::DeleteKeyTree(kSettingsKey);
}

// The saver's window covers every monitor.
e2e::Picture PlaybackE2E::Play(const Settings& settings,
                               const std::function<bool(const e2e::Picture&)>& settled,
                               const std::string& program) {
    Store(settings);
    window = StartFullScreen(saver, program);
    EXPECT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntilReady(saver, window));
    e2e::Picture screen;
    e2e::WaitUntil([&] { return settled(screen = e2e::CaptureWindow(window)); }, 10000);
    return screen;
}

}  // namespace playback_e2e
