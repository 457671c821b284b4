#include "SaverProgram.h"

#include "e2e/Input.h"
#include "e2e/Screenshot.h"
#include "e2e/WindowWait.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace saver_e2e;

namespace {
// A full-screen saver started with the cursor in the middle of the screen and
// idle, waiting for input.
class RunningSaver : public ::testing::Test {
  protected:
    void SetUp() override {
        e2e::MoveCursorTo(512, 384);
        window = StartFullScreen(saver);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitUntilReady(saver, window));
    }

    // After input that must not end the saver: it still runs once that input
    // has been handled.
    void ExpectStillRunning(const std::string& what) {
        ASSERT_TRUE(e2e::WaitUntilIdle(saver.Handle(), window, startTimeoutMs)) << what;
        EXPECT_TRUE(saver.IsRunning()) << what;
        EXPECT_TRUE(IsWindow(window)) << what;
    }

    e2e::TestProcess saver;
    HWND window = nullptr;
};

// Input given to the running saver in steps; the saver must keep running
// after every step but the last, which ends it (or, if not, a key press does).
struct Case {
    const char* name;
    std::vector<std::function<void()>> steps;
    bool ends;
};
HWND otherWindow = nullptr;

auto Move(int dx, int dy) {
    return [=] { e2e::MoveCursorBy(dx, dy); };
}
auto Click(e2e::MouseButton button) {
    return [=] {
        e2e::PressButton(button);
        e2e::ReleaseButton(button);
    };
}

const Case cases[] = {
    {"key", {[] { e2e::PressKey('Q'); }}, true},
    {"left button", {Click(e2e::MouseButton::Left)}, true},
    {"right button", {Click(e2e::MouseButton::Right)}, true},
    {"middle button", {Click(e2e::MouseButton::Middle)}, true},
    {"releases and wheel",
     {[] {
         e2e::ReleaseButton(e2e::MouseButton::Left);
         e2e::ReleaseButton(e2e::MouseButton::Right);
         e2e::TurnWheel(1);
         e2e::TurnWheel(-2);
     }},
     false},
    {"travel 4, then 1 more", {Move(2, 2), Move(1, 0)}, true},
    {"travel 5", {Move(3, 2)}, true},
    {"travel 3, then 2 more", {Move(3, 0), Move(2, 0)}, true},
    {"activation",
     {[] {
         otherWindow =
             CreateWindowExA(WS_EX_TOPMOST, "STATIC", "Other", WS_POPUP | WS_VISIBLE, 10, 10, 100,
                             100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
         SetForegroundWindow(otherWindow);
     }},
     true},
};

class Dismissal : public RunningSaver, public ::testing::WithParamInterface<Case> {};
}  // namespace

TEST_P(Dismissal, EndsWithExitCodeZeroOnQualifyingInputOnly) {
    const Case& c = GetParam();
    for (size_t step = 0; step < c.steps.size(); ++step) {
        c.steps[step]();
        if (step + 1 < c.steps.size() || !c.ends)
            ExpectStillRunning(c.name + std::string(", step ") + std::to_string(step + 1));
    }
    if (!c.ends)
        e2e::PressKeyAndRelease(VK_SPACE);
    EXPECT_EQ(ExitCodeAfterWindowGone(saver, window), 0u) << c.name;
    e2e::ReleaseKey('Q');
    if (otherWindow)
        DestroyWindow(otherWindow);
    otherWindow = nullptr;
}

INSTANTIATE_TEST_SUITE_P(RealInput, Dismissal, ::testing::ValuesIn(cases), [](const auto& info) {
    std::string name;
    for (const char* c = info.param.name; *c; ++c)
        name += isalnum(static_cast<unsigned char>(*c)) ? std::string(1, *c) : "";
    return name;
});

TEST_F(RunningSaver, CoversTheScreenOnTop) {
    RECT area = {};
    GetWindowRect(window, &area);
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 0);
    EXPECT_EQ(area.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(area.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetForegroundWindow(), window);

    e2e::Picture screen = e2e::CaptureScreen();
    ASSERT_FALSE(screen.pixels.empty());
    e2e::SavePng(screen, e2e::WindowsPath(QV_ARTIFACT_DIR "/full-screen-saver.png"));
    // The built program carries no recording: black, with at most the
    // cannot-open message in the middle band.
    int lit = 0;
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x)
            lit +=
                (y < screen.height / 2 - 80 || y > screen.height / 2 + 80) && screen.At(x, y) != 0
                    ? 1
                    : 0;
    EXPECT_EQ(lit, 0) << "the screen is black outside the middle band";
    ExpectStillRunning("looking at it");
    e2e::PressKeyAndRelease(VK_SPACE);
    EXPECT_EQ(ExitCodeAfterWindowGone(saver, window), 0u);
}
