#include "SaverProgram.h"

#include "e2e/Input.h"
#include "e2e/Screenshot.h"
#include "e2e/WindowWait.h"

#include <gtest/gtest.h>

#include <functional>

using namespace saver_e2e;

namespace {
// A full-screen saver started with the cursor in the middle of the screen and
// idle, waiting for input.
class RunningSaver : public ::testing::Test {
protected:
    void SetUp() override
    {
        e2e::MoveCursorTo(512, 384);
        window = StartFullScreen(saver);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitUntilReady(saver, window));
    }

    bool Idle() { return e2e::WaitUntilIdle(saver.Handle(), window, startTimeoutMs); }

    // After input that must not end the saver: it still runs once that input
    // has been handled, and the next key press ends it.
    void ExpectStillRunning(const char* what)
    {
        ASSERT_TRUE(Idle());
        EXPECT_TRUE(saver.IsRunning()) << what;
        EXPECT_TRUE(IsWindow(window)) << what;
        e2e::PressKeyAndRelease(VK_SPACE);
        EXPECT_EQ(ExitCodeAfterWindowGone(saver, window), 0u) << what;
    }

    void ExpectEnded(const char* what) { EXPECT_EQ(ExitCodeAfterWindowGone(saver, window), 0u) << what; }

    e2e::TestProcess saver;
    HWND window = nullptr;
};
} // namespace

TEST_F(RunningSaver, CoversTheScreenOnTop)
{
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
            lit += (y < screen.height / 2 - 80 || y > screen.height / 2 + 80) && screen.At(x, y) != 0 ? 1 : 0;
    EXPECT_EQ(lit, 0) << "the screen is black outside the middle band";
    ExpectStillRunning("looking at it");
}

TEST_F(RunningSaver, KeyPressEndsIt)
{
    e2e::PressKey('Q');
    ExpectEnded("key");
    e2e::ReleaseKey('Q');
}

TEST_F(RunningSaver, LeftButtonEndsIt)
{
    e2e::PressButton(e2e::MouseButton::Left);
    e2e::ReleaseButton(e2e::MouseButton::Left);
    ExpectEnded("left button");
}

TEST_F(RunningSaver, RightButtonEndsIt)
{
    e2e::PressButton(e2e::MouseButton::Right);
    e2e::ReleaseButton(e2e::MouseButton::Right);
    ExpectEnded("right button");
}

TEST_F(RunningSaver, MiddleButtonEndsIt)
{
    e2e::PressButton(e2e::MouseButton::Middle);
    e2e::ReleaseButton(e2e::MouseButton::Middle);
    ExpectEnded("middle button");
}

TEST_F(RunningSaver, ButtonReleasesAndTheWheelDoNot)
{
    e2e::ReleaseButton(e2e::MouseButton::Left);
    e2e::ReleaseButton(e2e::MouseButton::Right);
    e2e::TurnWheel(1);
    e2e::TurnWheel(-2);
    ExpectStillRunning("releases and wheel");
}

TEST_F(RunningSaver, CursorTravelOfFourKeepsItAndOneMoreEndsIt)
{
    e2e::MoveCursorBy(2, 2);
    ASSERT_TRUE(Idle());
    EXPECT_TRUE(saver.IsRunning()) << "travel 4";
    e2e::MoveCursorBy(1, 0);
    ExpectEnded("travel 5 from where it started");
}

TEST_F(RunningSaver, CursorTravelOfFiveEndsIt)
{
    e2e::MoveCursorBy(3, 2);
    ExpectEnded("travel 5");
}

TEST_F(RunningSaver, ThreeThenTwoMoreEndsItAtTheSecondMove)
{
    e2e::MoveCursorBy(3, 0);
    ASSERT_TRUE(Idle());
    EXPECT_TRUE(saver.IsRunning()) << "travel 3";
    e2e::MoveCursorBy(2, 0);
    ExpectEnded("travel 3 + 2");
}

TEST_F(RunningSaver, ActivatingAnotherWindowEndsIt)
{
    HWND other = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "Other", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    ExpectEnded("activation");
    DestroyWindow(other);
}

TEST_F(RunningSaver, PowerBroadcastEndsIt)
{
    PostMessageA(window, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    ExpectEnded("power broadcast");
}

TEST_F(RunningSaver, OldPowerNoticesAndWindowSwitchingDoNot)
{
    PostMessageA(window, WM_POWER, 1, 0);
    PostMessageA(window, WM_POWER, 2, 0);
    PostMessageA(window, WM_SYSCOMMAND, SC_NEXTWINDOW, 0);
    PostMessageA(window, WM_SYSCOMMAND, SC_PREVWINDOW, 0);
    ExpectStillRunning("WM_POWER 1 and 2, SC_NEXTWINDOW, SC_PREVWINDOW");
}

TEST(PreviewDismissal, NoRuleEndsAPreview)
{
    HWND parent = CreateWindowExA(0, "STATIC", "Preview parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320, 240,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    e2e::TestProcess saver;
    ASSERT_TRUE(saver.Start(SaverPath(), "/p " + std::to_string(reinterpret_cast<uintptr_t>(parent))));
    HWND preview = e2e::WaitForWindow("WindowsScreenSaverClass", "Preview", startTimeoutMs, parent);
    ASSERT_NE(preview, nullptr);
    for (UINT message : {WM_KEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_ACTIVATEAPP, WM_POWERBROADCAST})
        PostMessageA(preview, message, 0, 0);
    e2e::MoveCursorTo(100, 100);
    e2e::MoveCursorTo(200, 150);
    ASSERT_TRUE(e2e::WaitUntilIdle(saver.Handle(), preview, startTimeoutMs));
    EXPECT_TRUE(saver.IsRunning());
    EXPECT_TRUE(IsWindow(preview));
    DestroyWindow(parent);
    EXPECT_EQ(saver.ExitCodeOrKill(endTimeoutMs), 0u);
}
