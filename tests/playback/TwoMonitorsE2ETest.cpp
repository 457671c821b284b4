// The saver on two monitors side by side, as tests/harness/two-monitors.sh
// sets them up: a 1024 x 768 primary monitor and an 800 x 600 one to its
// right. On one monitor these tests skip, unless QV_MONITORS=2 asked for two.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "PlaybackFixture.h"
#include "e2e/Input.h"

using namespace playback_e2e;
using namespace saver_e2e;

namespace {

const Rect kPrimary{0, 0, 1024, 768}, kSecond{1024, 0, 1824, 600};
const Rect kCapture{0, 0, 800, 600};

class TwoMonitors : public PlaybackE2E {
  protected:
    void SetUp() override {
        if (GetSystemMetrics(SM_CMONITORS) != 2) {
            const char* asked = getenv("QV_MONITORS");
            if (asked && std::string(asked) == "2")
                FAIL() << "the session was asked for two monitors, the system shows "
                       << GetSystemMetrics(SM_CMONITORS);
            GTEST_SKIP() << "needs two monitors";
        }
        PlaybackE2E::SetUp();
    }
};

// A picture with distinct colours in every pixel, then records that change
// small squares only, which the saver paints as changes mapped through each
// monitor's layout.
std::string WriteSquares() {
    const std::string path = TempPath("squares.vqd");
    const Bytes info = BitmapInfo(kImageWidth, -kImageHeight, 32);
    std::vector<uint32_t> pixels(size_t(kImageWidth) * kImageHeight);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
    vqd::RecordingEncoder encoder;
    EXPECT_TRUE(encoder.Create(path.c_str(), {}));
    for (uint32_t record = 0; record < 8; ++record) {
        for (uint32_t square = 0; record > 0 && square < 6; ++square) {
            const uint32_t x0 = (record * 97 + square * 131) % 780, y0 = (square * 89) % 580;
            for (uint32_t y = y0; y < y0 + 12; ++y)
                for (uint32_t x = x0; x < x0 + 12; ++x)
                    pixels[size_t(y) * kImageWidth + x] = 0x102030u * record + square;
        }
        EXPECT_TRUE(encoder.AddFrame(
            {info.data(), reinterpret_cast<const uint8_t*>(pixels.data()), kCapture, {0, 0}, 0, 0},
            record * 50));
    }
    EXPECT_TRUE(encoder.Finish());
    return path;
}

int Lit(const e2e::Picture& screen, const Rect& area) {
    int lit = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            lit += screen.At(x, y) != 0;
    return lit;
}

// Off: the recording plays on the primary monitor as on a single screen and
// the other is black. On: each monitor shows it laid out for itself.
TEST_F(TwoMonitors, TheWindowCoversBothAndThePictureIsLaidOutPerMonitor) {
    const std::string path = WriteSquares();
    const Decoded decoded(path);
    for (DWORD every : {0u, 1u}) {
        SCOPED_TRACE(every ? "on every monitor" : "on the primary monitor");
        const PresentationLayout primary = LayOutPicture(kPrimary, {0, 0}, kCapture, false);
        const PresentationLayout second = LayOutPicture(kSecond, {0, 0}, kCapture, false);
        auto shown = [&](const e2e::Picture& s) {
            return s.width == 1824 && Differences(s, decoded, primary, kCapture, 0) == 0 &&
                   (every ? Differences(s, decoded, second, kCapture, 0) == 0
                          : Lit(s, kSecond) == 0);
        };
        const e2e::Picture screen = Play({e2e::WindowsPath(path), 0, 0, 0, every}, shown);
        e2e::SavePng(screen, e2e::WindowsPath(QV_ARTIFACT_DIR "/two-monitors-" +
                                              std::to_string(every) + ".png"));
        RECT area = {};
        GetWindowRect(window, &area);
        EXPECT_EQ((Rect{area.left, area.top, area.right, area.bottom}), (Rect{0, 0, 1824, 768}));
        EXPECT_TRUE(shown(screen));
        EXPECT_EQ(Lit(screen, {primary.picture.right, 0, 1024, 768}), 0) << "black borders";
        // Moving the pointer on the second monitor ends the saver.
        e2e::MoveCursorTo(1400, 300);
        EXPECT_EQ(ExitCodeAfterWindowGone(saver, window), 0u);
        e2e::MoveCursorTo(512, 384);
    }
}

}  // namespace
