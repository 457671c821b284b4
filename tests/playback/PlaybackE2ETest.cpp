// The real saver playing recordings made by the encoder, checked on the screen
// (and its first picture drawn through GDI by the presenter itself).
#include <windows.h>

#include <numeric>

#include "PlaybackFixture.h"
#include "e2e/SystemDpi.h"
#include "playback/FramePresenter.h"

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
    const std::string path = t.Write("natural.vqd");
    PlayExpecting({path, 0, 0, 0, every}, path, t.capture);
}

INSTANTIATE_TEST_SUITE_P(Depths, NaturalSize,
                         ::testing::Values(std::make_tuple(uint16_t(32), true, 0u, 96u),
                                           std::make_tuple(uint16_t(24), false, 1u, 96u),
                                           std::make_tuple(uint16_t(16), true, 0u, 96u),
                                           std::make_tuple(uint16_t(32), false, 1u, 144u),
                                           std::make_tuple(uint16_t(32), true, 0u, 192u)));

// With "Draw mouse clicks" a held button shows the indicator, its left-button
// patch about 10 rows and 8 columns from the pointer; once up, nothing shows.
TEST_F(PlaybackE2E, TheClickIndicatorShowsWhileAButtonIsHeld) {
    for (uint8_t held : {1, 0}) {
        TestRecording t;  // the capture at its place: the pointer at (400, 300)
        t.leftAtEnd = held;
        const std::string path = t.Write("clicks.vqd");
        auto red = [](const e2e::Picture& s) {
            const uint32_t p = s.At(408, 310);
            return (p >> 16 & 255) > 200 && (p >> 8 & 255) < 60 && (p & 255) < 60;
        };
        if (held)
            Play({path, 0, 1}, red);
        else
            PlayExpecting({path, 0, 1}, path, t.capture);
        End();
    }
}

// What recordings are made of, moving over a flat desktop and then gone: a
// window's one-pixel outline dragged across, a textured block moved (sent as
// moves), a pointer, and bursts of small scattered changes. The last picture
// is the flat desktop with a white square in the middle.
constexpr uint32_t kDesktop = 0x3A6EA5, kWhite = 0xFFFFFF;
constexpr int kMovingFrames = 20;

void DrawPointer(uint32_t* p, int32_t width, int32_t x, int32_t y) {
    for (int32_t row = 0; row < 16; ++row)
        for (int32_t column = 0; column <= row / 2 + 1; ++column)
            p[(y + row) * width + x + column] =
                column == 0 || column == row / 2 + 1 || row == 15 ? 0 : kWhite;
}

void DrawMovingScene(uint32_t frame, uint32_t* p, int32_t width, int32_t height) {
    Fill(p, {0, 0, width, height}, kDesktop, width);
    if (frame >= kMovingFrames) {
        Fill(p, {width / 2 - 12, height / 2 - 12, width / 2 + 12, height / 2 + 12}, kWhite, width);
        return;
    }
    const int32_t k = int32_t(frame);
    const Rect window{30 + 13 * k, 20 + 9 * k, 330 + 13 * k, 220 + 9 * k};
    Fill(p, {window.left, window.top, window.right, window.top + 1}, kWhite, width);
    Fill(p, {window.left, window.bottom - 1, window.right, window.bottom}, 0, width);
    Fill(p, {window.left, window.top, window.left + 1, window.bottom}, kWhite, width);
    Fill(p, {window.right - 1, window.top, window.right, window.bottom}, 0, width);
    Fill(p, {window.left + 1, window.top + 18, window.right - 1, window.top + 19}, 0x808080,
         width);  // under the title bar
    const int32_t bx = width - 200 - 9 * k, by = height / 2 + 4 * k;
    for (int32_t y = 0; y < 48; ++y)
        Fill(p, {bx, by + y, bx + 64, by + y + 1}, y % 3 ? 0xE0E0D0 : 0x204060 + uint32_t(y),
             width);
    Fill(p, {bx + 20, by, bx + 21, by + 48}, 0xC02020, width);
    DrawPointer(p, width, 100 + 17 * k, height - 150 - 5 * k);
    for (int piece = 0; frame % 4 == 3 && piece < 24; ++piece) {
        const int32_t x = (piece * 97 + k * 31) % (width - 8),
                      y = (piece * 61 + k * 17) % (height - 8);
        Fill(p, {x, y, x + 1 + piece % 3, y + 1 + piece % 4}, 0x10E040, width);
    }
}

// How the recording is shown: at natural size, enlarged by 1.28 or shrunk
// by 0.8 on 1024 x 768, from recordings of 8, 16, 24 and 32 bits.
struct Showing {
    const char* name;
    uint16_t bitCount;
    bool topDown;
    int32_t width, height;
    DWORD scale;
};
void PrintTo(const Showing& s, std::ostream* os) {
    *os << s.name;
}

// The saver's window as the change-only paints left it, and as a whole paint
// of the same picture leaves it (the window starts at the screen's origin).
struct ChangesAndWhole {
    e2e::Picture changes, whole;
    explicit ChangesAndWhole(HWND window) : changes(e2e::CaptureWindow(window)) {
        InvalidateRect(window, nullptr, FALSE);
        Sleep(500);
        whole = e2e::CaptureWindow(window);
    }
    size_t Differing() const {
        return std::inner_product(changes.pixels.begin(), changes.pixels.end(),
                                  whole.pixels.begin(), size_t(0), std::plus<>(),
                                  std::not_equal_to<>());
    }
    // Pixels of the layout's picture, away from the white square in its
    // middle, that are not of the desktop's colour.
    int Stale(const PresentationLayout& l) const {
        const Rect& p = l.picture;
        const int cx = (p.left + p.right) / 2, cy = (p.top + p.bottom) / 2;
        const int half = int(12 * l.scale) + 2;  // the square is 24 pixels wide, scaled
        const uint32_t desktop = whole.At(p.left, p.top);
        int stale = 0;
        for (int y = p.top; y < p.bottom; ++y)
            for (int x = p.left; x < p.right; ++x)
                stale += (std::abs(x - cx) > half || std::abs(y - cy) > half) &&
                         whole.At(x, y) != desktop;
        return stale;
    }
};

class ChangeOnlyPaints : public PlaybackE2E, public ::testing::WithParamInterface<Showing> {};

// A paint of the changes leaves the screen exactly as a whole paint of the
// same picture leaves it: nothing that moved stays behind.
TEST_P(ChangeOnlyPaints, LeaveTheScreenAsAWholePaintDoes) {
    const Showing& shown = GetParam();
    TestRecording t;
    t.bitCount = shown.bitCount;
    t.topDown = shown.topDown;
    t.width = shown.width;
    t.height = shown.height;
    t.capture = {0, 0, shown.width, shown.height};
    t.frames = kMovingFrames + 1;
    t.stepMs = 40;
    t.draw = [&](uint32_t frame, uint32_t* p) { DrawMovingScene(frame, p, t.width, t.height); };
    const PresentationLayout l = LayOutPicture(kScreen, {0, 0}, t.capture, shown.scale != 0);
    const int32_t cx = (l.picture.left + l.picture.right) / 2,
                  cy = (l.picture.top + l.picture.bottom) / 2;
    Play({t.Write("moving.vqd"), shown.scale},
         [&](const e2e::Picture& s) { return s.At(cx, cy) == kWhite; });
    const ChangesAndWhole screens(window);
    EXPECT_EQ(screens.Differing(), 0u)
        << "pixels of the change-only paints that a whole paint shows otherwise";
    EXPECT_EQ(screens.Stale(l), 0)
        << "pixels of the whole paint away from the square that are not the desktop";
    EXPECT_EQ(Count(screens.whole, {0, 0, 1024, l.picture.top}) +
                  Count(screens.whole, {0, 0, l.picture.left, 768}),
              0)
        << "black borders";
}

INSTANTIATE_TEST_SUITE_P(Scales, ChangeOnlyPaints,
                         ::testing::Values(Showing{"Enlarged32", 32, true, 800, 600, 1},
                                           Showing{"Enlarged16BottomUp", 16, false, 800, 600, 1},
                                           Showing{"Enlarged8", 8, true, 800, 600, 1},
                                           Showing{"Shrunk24BottomUp", 24, false, 1280, 960, 1},
                                           Showing{"Shrunk16", 16, true, 1280, 960, 1},
                                           Showing{"NaturalSize32", 32, true, 800, 600, 0},
                                           Showing{"NaturalSize8BottomUp", 8, false, 800, 600, 0}),
                         [](const ::testing::TestParamInfo<Showing>& info) {
                             return std::string(info.param.name);
                         });

// The recording a policy names plays whatever the user chose, and the
// computer's policy wins over the user's. Recordings of two, three and four
// pictures end on different pictures.
TEST_F(PlaybackE2E, TheRecordingAPolicyNamesPlaysWhateverTheUserChose) {
    TestRecording own, user, computer;
    own.frames = 2;
    user.frames = 3;
    const std::string ownPath = own.Write("own.vqd"), userPath = user.Write("user.vqd");
    const std::string computerPath = computer.Write("computer.vqd");
    ASSERT_TRUE(e2e::WriteString(kPolicyKey, "Path", e2e::WindowsPath(userPath)));
    PlayExpecting({ownPath}, userPath, user.capture);
    End();
    ASSERT_TRUE(
        e2e::WriteString(kPolicyKey, "Path", e2e::WindowsPath(computerPath), HKEY_LOCAL_MACHINE));
    PlayExpecting({ownPath}, computerPath, computer.capture);
}

// The picture drawn before DirectDraw is set up, as the saver's first paint
// draws it: straight from the decoded image into the window through GDI.
TEST(FirstPicture, IsTheDecodedPictureWithBlackBordersThroughGdi) {
    TestRecording t;
    t.capture = {100, 50, 900, 650};
    Decoded d(t.Write("gdi-picture.vqd"), t.capture);
    const WNDCLASSA plain = {0, DefWindowProcA, 0, 0, {}, {}, {}, {}, {}, "QvPlainWindow"};
    RegisterClassA(&plain);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, plain.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0,
                                  0, kImageWidth, kImageHeight, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    e2e::PumpMessages();
    HDC dc = GetDC(window);
    PatBlt(dc, 0, 0, kImageWidth, kImageHeight, WHITENESS);
    Render(d.file, window, dc, false, false);
    ReleaseDC(window, dc);
    // The window's drawing reaches the screen a moment later.
    const PresentationLayout l = LayOutPicture(kScreen, {0, 0}, t.capture, false);
    e2e::Picture screen;
    e2e::WaitUntil([&] { return d.Wrong(screen = e2e::CaptureScreen(), l) == 0; }, 5000);
    DestroyWindow(window);
    d.Expect(screen, l);
}

// Two monitors as scripts/wine/two-monitors.sh sets them up (1024 x 768 and
// 800 x 600 to its right; skipped on one unless QV_MONITORS=2). The records
// after the first change small squares, painted through each monitor's
// layout; without "Play on every monitor" the second one stays black.
const Rect kSecond{1024, 0, 1824, 600};

TEST_F(PlaybackE2E, TwoMonitorsTheWindowCoversBothAndThePictureIsLaidOutPerMonitor) {
    QV_NEEDS_TWO_MONITORS();
    TestRecording t;
    t.capture = {0, 0, 800, 600};
    t.frames = 8;
    t.stepMs = 50;
    t.draw = [](uint32_t record, uint32_t* pixels) {
        for (uint32_t i = 0; record == 0 && i < kImageWidth * kImageHeight; ++i)
            pixels[i] = i * 2654435761u & 0xFFFFFF;
        for (uint32_t square = 0; record > 0 && square < 6; ++square) {
            const int32_t x = (record * 97 + square * 131) % 780, y = (square * 89) % 580;
            Fill(pixels, {x, y, x + 12, y + 12}, 0x102030u * record + square);
        }
    };
    const std::string path = t.Write("squares.vqd");
    const Decoded d(path, t.capture);
    const PresentationLayout primary = LayOutPicture(kScreen, {0, 0}, t.capture, false);
    const PresentationLayout second = LayOutPicture(kSecond, {0, 0}, t.capture, false);
    for (DWORD every : {0u, 1u}) {
        SCOPED_TRACE(every ? "on every monitor" : "on the primary monitor");
        auto shown = [&](const e2e::Picture& s) {
            return s.width == 1824 && d.Wrong(s, primary) == 0 &&
                   (every ? d.Wrong(s, second) == 0 : Count(s, kSecond) == 0);
        };
        const e2e::Picture screen = Play({path, 0, 0, 0, every}, shown);
        RECT area = {};
        GetWindowRect(window, &area);
        EXPECT_EQ((Rect{area.left, area.top, area.right, area.bottom}), (Rect{0, 0, 1824, 768}));
        EXPECT_EQ(Count(screen, {primary.picture.right, 0, 1024, 768}), 0) << "black borders";
        // Moving the pointer on the second monitor ends the saver.
        e2e::MoveCursorTo(1400, 300);
        EXPECT_EQ(ExitCodeAfterWindowGone(saver, window), 0u);
        e2e::MoveCursorTo(512, 384);
    }
}

// Scaled by 1.6 on the first monitor and by 1.25 on the second, the moving
// scene's change-only paints leave both as a whole paint does.
TEST_F(PlaybackE2E, TwoMonitorsEachScaledItsOwnWayShowTheChangesAsAWholePaintDoes) {
    QV_NEEDS_TWO_MONITORS();
    TestRecording t;
    t.width = 640;
    t.height = 480;
    t.capture = {0, 0, 640, 480};
    t.frames = kMovingFrames + 1;
    t.stepMs = 40;
    t.draw = [&](uint32_t frame, uint32_t* p) { DrawMovingScene(frame, p, t.width, t.height); };
    const PresentationLayout first = LayOutPicture(kScreen, {0, 0}, t.capture, true);
    const PresentationLayout second = LayOutPicture(kSecond, {0, 0}, t.capture, true);
    ASSERT_EQ(first.scale, 1.6f);
    ASSERT_EQ(second.scale, 1.25f);
    auto squares = [&](const e2e::Picture& s) {
        return s.width == 1824 && s.At(512, 384) == kWhite && s.At(1424, 300) == kWhite;
    };
    Play({t.Write("moving.vqd"), 1, 0, 0, 1}, squares);
    const ChangesAndWhole screens(window);
    EXPECT_EQ(screens.Differing(), 0u);
    EXPECT_EQ(screens.Stale(first), 0);
    EXPECT_EQ(screens.Stale(second), 0);
}

}  // namespace
