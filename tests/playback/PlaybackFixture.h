// What the end-to-end playback tests share: the recordings they write, the
// picture the saver's decoder makes of them, and a fixture that stores the
// settings and plays a recording in the real saver.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

#include "FrameUpdateBuilder.h"
#include "SaverProgram.h"
#include "e2e/Input.h"
#include "e2e/Registry.h"
#include "e2e/Screenshot.h"
#include "e2e/WindowWait.h"
#include "playback/PresentationLayout.h"
#include "recording/RecordingEncoder.h"

namespace playback_e2e {

constexpr int kImageWidth = 1024, kImageHeight = 768;
const Rect kScreen{0, 0, 1024, 768};
using e2e::Picture;

// The saver's settings; the path is one of this machine, or none.
struct Settings {
    std::string path;
    DWORD scale = 0, clicks = 0, repeat = 0, every = 0, quick = 1, shuffle = 0;
};

// A recording of `frames` pictures, stepMs apart, each with the pointer at
// (400, 300) and the left button held at the end as given. The pictures are
// drawn by `draw` (0x00RRGGBB, `width` a row, turned into the recording's
// format: 8 bits with a 3-3-2 colour table, 16 bits 565) or else have
// distinct colours in every pixel that change from one to the next.
struct TestRecording {
    uint16_t bitCount = 32;
    bool topDown = true;
    int32_t width = kImageWidth, height = kImageHeight;
    Rect capture{112, 84, 912, 684};
    uint8_t leftAtEnd = 0;
    uint32_t frames = 4, stepMs = 100;
    vqd::RecordingInfo rates = {};
    std::function<void(uint32_t frame, uint32_t* pixels)> draw;

    std::string Write(const std::string& name) const {
        const std::string path = TempPath(name);
        Bytes info = BitmapInfo(width, topDown ? -height : height, bitCount);
        for (uint32_t i = 0; bitCount == 8 && i < 256; ++i)
            vqd::WriteU32(&info[40 + 4 * i], Colour332(i));
        const uint32_t bpp = bitCount / 8, stride = (uint32_t(width) * bpp + 3) & ~3u;
        Bytes pixels(size_t(stride) * size_t(height));
        std::vector<uint32_t> canvas(draw ? size_t(width) * size_t(height) : 0);
        vqd::RecordingEncoder encoder;
        EXPECT_TRUE(encoder.Create(path.c_str(), rates));
        for (uint32_t frame = 0; frame < frames; ++frame) {
            if (draw)
                draw(frame, canvas.data());
            for (uint32_t y = 0; y < uint32_t(height); ++y) {
                uint8_t* row = &pixels[size_t(y) * stride];
                // The canvas is top-down; memory rows follow the orientation.
                const uint32_t* from =
                    draw ? &canvas[size_t(topDown ? y : height - 1 - y) * size_t(width)] : nullptr;
                for (uint32_t i = 0; i < uint32_t(width) * bpp; ++i)
                    row[i] = from ? Channel(from[i / bpp], i % bpp)
                                  : uint8_t(i * 5 + y * 3 + frame * 40);
            }
            const uint8_t left = frame == frames - 1 ? leftAtEnd : 0;
            EXPECT_TRUE(encoder.AddFrame({info.data(), pixels.data(), capture, {400, 300}, left, 0},
                                         frame * stepMs));
        }
        EXPECT_TRUE(encoder.Finish());
        return path;
    }

  private:
    static uint32_t Colour332(uint32_t i) {
        const uint32_t r = i >> 5, g = i >> 2 & 7, b = i & 3;
        return (r * 255 / 7) << 16 | (g * 255 / 7) << 8 | b * 255 / 3;
    }
    // Byte `index` of a canvas colour in the recording's format.
    uint8_t Channel(uint32_t c, uint32_t index) const {
        const uint32_t r = c >> 16 & 255, g = c >> 8 & 255, b = c & 255;
        if (bitCount == 8)
            return uint8_t((r >> 5) << 5 | (g >> 5) << 2 | b >> 6);
        if (bitCount == 16) {
            const uint32_t v = (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
            return uint8_t(v >> (8 * index));
        }
        return uint8_t(c >> (8 * index));  // B, G, R, then 0
    }
};

inline void Fill(uint32_t* pixels, const Rect& r, uint32_t colour, int32_t width = kImageWidth) {
    for (int32_t y = r.top; y < r.bottom; ++y)
        std::fill(pixels + y * width + r.left, pixels + y * width + r.right, colour);
}

inline bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int(a >> shift & 255) - int(b >> shift & 255)) > tolerance)
            return false;
    return true;
}

// The pixels of the area that are not black, or that are of the colour given.
inline int Count(const Picture& s, const Rect& area, uint32_t colour = 0) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += colour ? s.At(x, y) == colour : s.At(x, y) != 0;
    return count;
}

// The picture after the last record, as the saver's decoder makes it, and how
// far each channel may be off on the screen: a 16-bit picture, or any picture
// on a 16-bit display, is 565 somewhere on the way.
struct Decoded {
    RecordingFile file;
    Rect capture;
    int tolerance = 0;

    Decoded(const std::string& path, const Rect& capture) : capture(capture) {
        EXPECT_TRUE(file.Initialize());
        EXPECT_TRUE(file.Open(path.c_str(), LockedFile::kRead));
        file.SetQuickPlay(1);
        file.Restart();
        while (file.PlayStep()) {
        }
        HDC screen = GetDC(nullptr);
        const bool display16 = GetDeviceCaps(screen, BITSPIXEL) == 16;
        ReleaseDC(nullptr, screen);
        tolerance = display16 ? 8 : file.GetFrameImage().bytesPerPixel == 2 ? 4 : 0;
    }
    // 0xRRGGBB of the pixel at image column x of memory row y.
    uint32_t Colour(int x, int row) const {
        const FrameImage& image = file.GetFrameImage();
        const uint8_t* p =
            image.currentImage + size_t(row) * image.stride + size_t(x) * image.bytesPerPixel;
        if (image.bytesPerPixel != 2)
            return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
        const uint32_t v = p[0] | p[1] << 8, r = v >> 11 & 31, g = v >> 5 & 63, b = v & 31;
        return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
    }
    // The pixels of the layout's picture on the screen that differ from it.
    int Wrong(const Picture& screen, const PresentationLayout& l) const {
        // The capture's memory rows keep the image's orientation on screen.
        const bool topDown = file.GetFrameImage().BiHeight() < 0;
        int wrong = 0;
        for (int y = l.picture.top; y < l.picture.bottom; ++y)
            for (int x = l.picture.left; x < l.picture.right; ++x) {
                const int sx = x - l.wholePicture.left, sy = y - l.wholePicture.top;
                const int row = topDown ? capture.top + sy : capture.bottom - 1 - sy;
                wrong += !Near(screen.At(x, y), Colour(capture.left + sx, row), tolerance);
            }
        return wrong;
    }
    // The layout's picture exactly as decoded, and black in each border.
    void Expect(const Picture& screen, const PresentationLayout& l) const {
        EXPECT_EQ(Wrong(screen, l), 0);
        for (int i = 0; i < l.borderCount; ++i)
            EXPECT_EQ(Count(screen, l.borders[i]), 0) << "border " << i;
    }
};

// Two monitors as scripts/wine/two-monitors.sh sets them up (QV_MONITORS=2);
// a test that needs them is skipped on one.
#define QV_NEEDS_TWO_MONITORS()                                                               \
    do {                                                                                      \
        const char* asked = getenv("QV_MONITORS");                                            \
        if (GetSystemMetrics(SM_CMONITORS) != 2 && !(asked && std::string(asked) == "2"))     \
            GTEST_SKIP() << "needs two monitors";                                             \
        ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "the session asked for two monitors"; \
    } while (false)

class PlaybackE2E : public ::testing::Test {
  protected:
    static constexpr char kSettingsKey[] = "Software\\Quorvane\\Screen Saver";
    static constexpr char kPolicyKey[] = "Software\\Policies\\Quorvane\\Screen Saver";
    void SetUp() override {
        e2e::MoveCursorTo(512, 384);
        DeletePolicies();
    }
    void TearDown() override {
        End();
        e2e::DeleteKeyTree(kSettingsKey);
        DeletePolicies();
    }
    static void DeletePolicies() {
        e2e::DeleteKeyTree(kPolicyKey, HKEY_LOCAL_MACHINE);
        e2e::DeleteKeyTree(kPolicyKey);
    }
    // Ends the saver with a key, as any input ends it.
    void End() {
        if (window && IsWindow(window)) {
            e2e::PressKeyAndRelease(VK_SPACE);
            EXPECT_EQ(saver_e2e::ExitCodeAfterWindowGone(saver, window), 0u)
                << "the saver still ends on input";
        }
        window = nullptr;
    }
    // Stores the settings, starts the saver and expects its window to show
    // what `settled` accepts; the picture is kept as an artifact of the test.
    Picture Play(const Settings& s, const std::function<bool(const Picture&)>& settled,
                 const std::string& program = saver_e2e::SaverPath()) {
        e2e::WriteString(kSettingsKey, "Path", e2e::WindowsPath(s.path));
        e2e::WriteDword(kSettingsKey, "Scale to fit screen", s.scale);
        e2e::WriteDword(kSettingsKey, "Draw mouse clicks", s.clicks);
        e2e::WriteDword(kSettingsKey, "Auto repeat", s.repeat);
        e2e::WriteDword(kSettingsKey, "Play on every monitor", s.every);
        e2e::WriteDword(kSettingsKey, "Quick play", s.quick);
        e2e::WriteDword(kSettingsKey, "Shuffle", s.shuffle);
        window = saver_e2e::StartFullScreen(saver, program);
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(saver_e2e::WaitUntilReady(saver, window));
        Picture screen;
        EXPECT_TRUE(
            e2e::WaitUntil([&] { return settled(screen = e2e::CaptureWindow(window)); }, 10000))
            << "the expected picture shows";
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        e2e::SavePng(screen, e2e::WindowsPath(QV_ARTIFACT_DIR "/" + name + ".png"));
        return screen;
    }
    // Plays at natural size until the recording's last picture shows as
    // decoded, with black borders.
    void PlayExpecting(const Settings& s, const std::string& recording, const Rect& capture,
                       const std::string& program = saver_e2e::SaverPath()) {
        const Decoded d(recording, capture);
        const PresentationLayout l = LayOutPicture(kScreen, {0, 0}, capture, false);
        d.Expect(Play(
                     s, [&](const Picture& p) { return d.Wrong(p, l) == 0; }, program),
                 l);
    }
    e2e::TestProcess saver;
    HWND window = nullptr;
};

}  // namespace playback_e2e
