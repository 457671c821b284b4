// The saver on two monitors side by side, as tests/harness/two-monitors.sh
// sets them up: a 1024 x 768 primary monitor and an 800 x 600 one to its
// right. On one monitor these tests skip, unless QV_MONITORS=2 asked for two.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "PlaybackFixture.h"

using namespace playback_e2e;
using namespace saver_e2e;

namespace {

const Rect kSecond{1024, 0, 1824, 600};

// Off: the recording plays on the primary monitor as on a single screen and
// the other is black. On: each monitor shows it laid out for itself. The
// picture has distinct colours in every pixel; the records after the first
// change small squares only, which the saver paints as changes mapped
// through each monitor's layout.
TEST_F(PlaybackE2E, TwoMonitorsTheWindowCoversBothAndThePictureIsLaidOutPerMonitor) {
    if (GetSystemMetrics(SM_CMONITORS) != 2) {
        const char* asked = getenv("QV_MONITORS");
        ASSERT_FALSE(asked && std::string(asked) == "2")
            << "the session was asked for two monitors, the system shows "
            << GetSystemMetrics(SM_CMONITORS);
        GTEST_SKIP() << "needs two monitors";
    }
    TestRecording t;
    t.capture = {0, 0, 800, 600};
    t.frames = 8;
    t.stepMs = 50;
    t.draw = [](uint32_t record, uint32_t* pixels) {
        for (uint32_t i = 0; record == 0 && i < kImageWidth * kImageHeight; ++i)
            pixels[i] = i * 2654435761u & 0xFFFFFF;
        for (uint32_t square = 0; record > 0 && square < 6; ++square) {
            const uint32_t x0 = (record * 97 + square * 131) % 780, y0 = (square * 89) % 580;
            for (uint32_t y = y0; y < y0 + 12; ++y)
                std::fill(pixels + y * kImageWidth + x0, pixels + y * kImageWidth + x0 + 12,
                          0x102030u * record + square);
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
        EXPECT_TRUE(shown(screen));
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

}  // namespace
