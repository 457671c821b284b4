// The real saver playing recordings made by the encoder, checked on the screen.
#include <windows.h>
#include <psapi.h>

#include "PlaybackFixture.h"
#include "e2e/Input.h"
#include "e2e/SystemDpi.h"

using namespace playback_e2e;
using namespace saver_e2e;

namespace {

// Depth, orientation, "Play on every monitor" and the system DPI: on one
// monitor at any DPI the picture is the same, pixel for pixel.
class NaturalSize : public PlaybackE2E,
                    public ::testing::WithParamInterface<std::tuple<uint16_t, bool, DWORD, DWORD>> {
};

TEST_P(NaturalSize, TheScreenShowsTheLastPictureExactlyWithBlackBorders) {
    TestRecording t;
    DWORD every, dpi;
    std::tie(t.bitCount, t.topDown, every, dpi) = GetParam();
    const e2e::SystemDpi systemDpi(dpi);
    t.capture = {100, 50, 900, 650};
    const std::string path = Write(t, "natural-" + std::to_string(t.bitCount) + ".vqd");
    const Decoded decoded(path);
    const int tolerance = Tolerance(t.bitCount);
    const PresentationLayout l =
        LayOutPicture({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, {0, 0},
                      t.capture, false);
    ASSERT_EQ(l.picture, (Rect{112, 84, 912, 684}));
    const e2e::Picture screen =
        Play({e2e::WindowsPath(path), 0, 0, 0, every}, [&](const e2e::Picture& s) {
            return Differences(s, decoded, l, t.capture, tolerance) == 0;
        });
    e2e::SavePng(screen, e2e::WindowsPath(QV_ARTIFACT_DIR "/natural-" + std::to_string(t.bitCount) +
                                          "-" + std::to_string(dpi) + ".png"));
    EXPECT_EQ(Differences(screen, decoded, l, t.capture, tolerance), 0);
    for (int i = 0; i < l.borderCount; ++i) {
        const Rect& b = l.borders[i];
        EXPECT_EQ(screen.At((b.left + b.right) / 2, (b.top + b.bottom) / 2), 0u) << "border " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, NaturalSize,
                         ::testing::Values(std::make_tuple(uint16_t(32), true, 0u, 96u),
                                           std::make_tuple(uint16_t(24), false, 1u, 96u),
                                           std::make_tuple(uint16_t(16), true, 0u, 96u),
                                           std::make_tuple(uint16_t(32), false, 1u, 144u),
                                           std::make_tuple(uint16_t(32), true, 0u, 192u)));

TEST_F(PlaybackE2E, ScaledPictureFillsTheScreenByItsShape) {
    TestRecording t;
    t.tiled = true;
    t.capture = {0, 0, 640, 400};  // scaled by 1.6 to 1024 x 640: bands of 64 rows
    const std::string path = Write(t, "scaled.vqd");
    const Decoded decoded(path);
    const PresentationLayout l = LayOutPicture({0, 0, 1024, 768}, {0, 0}, t.capture, true);
    ASSERT_EQ(l.picture, (Rect{0, 64, 1024, 704}));
    const int tolerance = Tolerance(t.bitCount);
    auto tileCentresMatch = [&](const e2e::Picture& s) {
        for (int ty = 0; ty < 25; ++ty)
            for (int tx = 0; tx < 40; ++tx) {
                const int ix = tx * 16 + 8, iy = ty * 16 + 8;
                const int x = int(ix * 1.6), y = 64 + int(iy * 1.6);
                if (!Near(s.At(x, y), decoded.Colour(ix, iy), tolerance))
                    return false;
            }
        return true;
    };
    const e2e::Picture screen = Play({e2e::WindowsPath(path), 1, 0}, tileCentresMatch);
    e2e::SavePng(screen, e2e::WindowsPath(QV_ARTIFACT_DIR "/scaled.png"));
    EXPECT_TRUE(tileCentresMatch(screen));
    EXPECT_EQ(screen.At(512, 30), 0u);
    EXPECT_EQ(screen.At(512, 740), 0u);
}

// The indicator's left-button patch lies about 10 rows and 8 columns from the pointer.
bool RedAt(const e2e::Picture& s, int x, int y) {
    const uint32_t p = s.At(x, y);
    return (p >> 16 & 255) > 200 && (p >> 8 & 255) < 60 && (p & 255) < 60;
}

TEST_F(PlaybackE2E, AHeldButtonShowsTheClickIndicatorAtThePointer) {
    TestRecording t;
    t.leftAtEnd = 1;
    const std::string path = Write(t, "clicks.vqd");
    const PresentationLayout l = LayOutPicture({0, 0, 1024, 768}, {0, 0}, t.capture, false);
    const int x = l.picture.left + 400 - t.capture.left + 8,
              y = l.picture.top + 300 - t.capture.top + 10;
    const e2e::Picture screen =
        Play({e2e::WindowsPath(path), 0, 1}, [&](const e2e::Picture& s) { return RedAt(s, x, y); });
    e2e::SavePng(screen, e2e::WindowsPath(QV_ARTIFACT_DIR "/clicks.png"));
    EXPECT_TRUE(RedAt(screen, x, y));
}

TEST_F(PlaybackE2E, NoIndicatorOnceTheButtonIsUp) {
    TestRecording t;  // the button was never held at the end
    const std::string path = Write(t, "noclicks.vqd");
    const Decoded decoded(path);
    const PresentationLayout l = LayOutPicture({0, 0, 1024, 768}, {0, 0}, t.capture, false);
    const e2e::Picture screen = Play({e2e::WindowsPath(path), 0, 1}, [&](const e2e::Picture& s) {
        return Differences(s, decoded, l, t.capture, 0) == 0;
    });
    EXPECT_EQ(Differences(screen, decoded, l, t.capture, 0), 0);
}

TEST_F(PlaybackE2E, AnUnreadableFileShowsTheMessageInTheMiddle) {
    auto whiteInTheMiddle = [](const e2e::Picture& s) {
        int white = 0;
        for (int y = 300; y < 468; ++y)
            for (int x = 0; x < s.width; ++x)
                white += s.At(x, y) == 0xFFFFFF;
        return white > 100;
    };
    const e2e::Picture screen =
        Play({e2e::WindowsPath(TempPath("no-such-recording.vqd")), 1, 0}, whiteInTheMiddle);
    e2e::SavePng(screen, e2e::WindowsPath(QV_ARTIFACT_DIR "/cannot-open.png"));
    EXPECT_TRUE(whiteInTheMiddle(screen));
    int lit = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < screen.width; ++x)
            lit += screen.At(x, y) != 0;
    EXPECT_EQ(lit, 0) << "black above the message";
}

TEST_F(PlaybackE2E, AnEmptyPathPlaysTheRecordingTheProgramCarries) {
    TestRecording t;
    const std::string recording = Write(t, "carried.vqd");
    const std::string program = TempPath("CarrierSaver.scr");
    WriteFile(program, Embed(ReadFile(QV_SAVER_HOST_PATH), ReadFile(recording)));
    const Decoded decoded(recording);
    const PresentationLayout l = LayOutPicture({0, 0, 1024, 768}, {0, 0}, t.capture, false);
    const e2e::Picture screen = Play(
        {"", 0, 0},
        [&](const e2e::Picture& s) { return Differences(s, decoded, l, t.capture, 0) == 0; },
        e2e::WindowsPath(program));
    EXPECT_EQ(Differences(screen, decoded, l, t.capture, 0), 0);
}

// Many small changes scattered over a scaled picture, painted piece by piece
// (or strip by strip where a record has many), must end as one whole paint
// of the last picture shows it. Each record draws dark pieces on a grey
// picture and turns the previous record's pieces light: a seam or stale line
// left anywhere shows a dark pixel where the whole paint has only light and
// grey around. The stretch filter blends pixels along colour edges, with less
// context for a piece blitted on its own: there the screen may differ within
// the range of the colours around; inside an area of one colour it is exact.
TEST_F(PlaybackE2E, ScatteredChangesScaledEndAsAWholePaintShowsThem) {
    const Rect capture{0, 0, 800, 600};  // scaled by 1.28 to fill 1024 x 768
    const std::string path = TempPath("scattered.vqd");
    const Bytes info = BitmapInfo(kImageWidth, -kImageHeight, 32);
    std::vector<uint32_t> pixels(size_t(kImageWidth) * kImageHeight, 0x808080);
    vqd::RecordingEncoder encoder;
    ASSERT_TRUE(encoder.Create(path.c_str(), {}));
    uint32_t seed = 12345;
    auto next = [&](uint32_t n) { return (seed = seed * 1103515245u + 12345u) / 65536u % n; };
    auto fill = [&](const Rect& r, uint32_t colour) {
        for (int32_t y = r.top; y < r.bottom; ++y)
            for (int32_t x = r.left; x < r.right; ++x)
                pixels[size_t(y) * kImageWidth + size_t(x)] = colour;
    };
    std::vector<Rect> previous;
    const int records = 40;
    for (int k = 0; k < records; ++k) {
        for (const Rect& r : previous)
            fill(r, 0xD0E0F0);
        previous.clear();
        for (int piece = 0; piece < (k % 2 ? 12 : 3); ++piece) {
            const int32_t x = int32_t(next(780)), y = int32_t(next(580));
            previous.push_back({x, y, x + 3 + int32_t(next(18)), y + 3 + int32_t(next(18))});
            fill(previous.back(), 0x102030u + uint32_t(k % 4) * 0x040404u);
        }
        if (k == records - 1)
            fill({390, 290, 410, 310}, 0xFFFFFF);  // the end
        ASSERT_TRUE(encoder.AddFrame(
            {info.data(), reinterpret_cast<const uint8_t*>(pixels.data()), capture, {0, 0}, 0, 0},
            uint32_t(k) * 20));
    }
    ASSERT_TRUE(encoder.Finish());
    Play({e2e::WindowsPath(path), 1, 0},
         [](const e2e::Picture& s) { return s.At(512, 384) == 0xFFFFFF; });
    Sleep(300);
    const e2e::Picture pieces = e2e::CaptureScreen();
    InvalidateRect(window, nullptr, FALSE);
    Sleep(500);
    const e2e::Picture whole = e2e::CaptureScreen();
    e2e::SavePng(pieces, e2e::WindowsPath(QV_ARTIFACT_DIR "/scattered-pieces.png"));
    int interior = 0, wrongInside = 0, outOfRange = 0;
    for (int y = 2; y < whole.height - 2; ++y)
        for (int x = 2; x < whole.width - 2; ++x) {
            uint32_t low = 0xFFFFFF, high = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                uint32_t lo = 255, hi = 0;
                for (int dy = -2; dy <= 2; ++dy)
                    for (int dx = -2; dx <= 2; ++dx) {
                        const uint32_t v = whole.At(x + dx, y + dy) >> shift & 255;
                        lo = std::min(lo, v);
                        hi = std::max(hi, v);
                    }
                low = (low & ~(255u << shift)) | lo << shift;
                high = (high & ~(255u << shift)) | hi << shift;
            }
            const uint32_t shown = pieces.At(x, y);
            if (low == high) {
                ++interior;
                wrongInside += shown != whole.At(x, y);
                continue;
            }
            for (int shift = 0; shift < 24; shift += 8) {
                const uint32_t v = shown >> shift & 255;
                if (v + 2 < (low >> shift & 255) || v > (high >> shift & 255) + 2) {
                    ++outOfRange;
                    break;
                }
            }
        }
    EXPECT_EQ(wrongInside, 0) << "of " << interior << " pixels inside areas of one colour";
    // Some tens of edge pixels blend differently (66 seen here); without the
    // outward rounding of the pieces, several hundred do (324 seen).
    EXPECT_LT(outOfRange, 160) << "pixels on colour edges outside the colours around them";
    EXPECT_GT(interior, whole.width * whole.height * 3 / 4);
}

// The file offsets of the records of a plain recording.
std::vector<size_t> RecordOffsets(const Bytes& file) {
    std::vector<size_t> offsets;
    for (size_t at = vqd::kDataOffset; at + vqd::kRecordHeaderSize <= file.size();
         at += vqd::kRecordHeaderSize + vqd::ReadU32(&file[at + 4]))
        offsets.push_back(at);
    return offsets;
}

TEST_F(PlaybackE2E, ADamagedRecordingPlaysWhatItCan) {
    TestRecording t;
    const std::string path = Write(t, "damaged.vqd", 6);
    Bytes bytes = ReadFile(path);
    const std::vector<size_t> records = RecordOffsets(bytes);
    ASSERT_EQ(records.size(), 6u);
    // The fourth record no longer inflates; the last one is cut short.
    for (size_t i = 2; i < 40; ++i)
        bytes[records[3] + vqd::kRecordHeaderSize + i] ^= 0x5A;
    bytes.resize(records[5] + vqd::kRecordHeaderSize + 10);
    WriteFile(path, bytes);
    // What could be decoded is on the screen, and the saver goes on.
    auto pictureShown = [](const e2e::Picture& s) {
        int lit = 0;
        for (int y = 100; y < 660; y += 10)
            for (int x = 120; x < 900; x += 10)
                lit += s.At(x, y) != 0;
        return lit > 2000;
    };
    const e2e::Picture screen = Play({e2e::WindowsPath(path), 0, 0, 1}, pictureShown);
    EXPECT_TRUE(pictureShown(screen));
    Sleep(1000);
    EXPECT_TRUE(saver.IsRunning());
}

// Quick play of a short recording that repeats, at timer rates far above the
// usual ones: thousands of ticks with a new picture each.
TEST_F(PlaybackE2E, ALongRunDoesNotGrow) {
    TestRecording t;
    vqd::RecordingInfo fast;
    fast.frameRate = 500;
    fast.secondaryRate = 500;
    const std::string path = Write(t, "repeating.vqd", 8, fast);
    Play({e2e::WindowsPath(path), 0, 0, 1}, [](const e2e::Picture&) { return true; });
    auto usage = [&] {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        GetProcessMemoryInfo(saver.Handle(), &counters, sizeof counters);
        return counters.PagefileUsage;
    };
    // A leak grows in every interval; the system's own one-off allocations
    // (a cache filled once) in one at most.
    Sleep(2000);
    SIZE_T samples[3] = {usage()};
    for (int i = 1; i < 3; ++i) {
        Sleep(4000);
        samples[i] = usage();
    }
    ASSERT_GT(samples[0], 0u);
    const SIZE_T allowed = 2 * 1024 * 1024;
    EXPECT_FALSE(samples[1] > samples[0] + allowed && samples[2] > samples[1] + allowed)
        << "private memory grew from " << samples[0] << " to " << samples[1] << " to "
        << samples[2];
    EXPECT_LT(samples[2], samples[0] + 4 * allowed);
    EXPECT_TRUE(saver.IsRunning());
}

}  // namespace
