#include "SaverWindowFixture.h"

// Real input on the display is checked end to end (DismissalE2ETest); here
// the messages that input cannot produce, and what the application sees.
using Dismissal = SaverWindowFixture;

namespace {
struct Input {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool ends;
};
const Input inputs[] = {{WM_SYSKEYDOWN, 0, 0, true},
                        {WM_POWER, PWR_CRITICALRESUME, 0, true},
                        {WM_POWERBROADCAST, PBT_APMSUSPEND, 0, true},
                        {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0, true},
                        {WM_POWERBROADCAST, 0x1234, 0, true},
                        {WM_KEYUP, 0, 0, false},
                        {WM_SYSKEYUP, 0, 0, false},
                        {WM_CHAR, 0, 0, false},
                        {WM_ACTIVATEAPP, TRUE, 0, false},
                        {WM_POWER, 1, 0, false},
                        {WM_POWER, 2, 0, false},
                        {WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, 0, false},
                        // The cursor's place counts, not the position the message carries.
                        {WM_MOUSEMOVE, 0, MAKELPARAM(150, 90), false}};
}  // namespace

TEST_F(Dismissal, InputAsksForACloseOnlyAsTabled) {
    MakeWindow(false);
    for (const Input& input : inputs) {
        Send(input.message, input.wParam, input.lParam);
        EXPECT_EQ(CloseRequested(), input.ends) << std::hex << input.message << " " << input.wParam;
        EXPECT_TRUE(IsWindow(window)) << "a request only; the window stays until it is handled";
    }
}

TEST_F(Dismissal, NothingEndsAPreviewAndItsHelpGoesToTheParent) {
    MakeWindow(true);
    EXPECT_EQ(Send(WM_CONTEXTMENU, 0, MAKELPARAM(10, 20)), 1);
    EXPECT_FALSE(TestHooks::Get().WasForwarded(WM_CONTEXTMENU));
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, parent, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE));
    EXPECT_EQ(message.wParam, reinterpret_cast<WPARAM>(parent));
    EXPECT_EQ(message.lParam, MAKELPARAM(10, 20));

    PlaceCursor(cursor.x + 40, cursor.y + 40);
    Send(WM_MOUSEMOVE);
    for (UINT input : {WM_KEYDOWN, WM_LBUTTONDOWN, WM_ACTIVATEAPP, WM_POWERBROADCAST})
        Send(input);
    EXPECT_FALSE(CloseRequested());
    Send(WM_SYSCOMMAND, SC_NEXTWINDOW);
    EXPECT_TRUE(TestHooks::Get().WasForwarded(WM_SYSCOMMAND)) << "not swallowed in preview";
    Send(WM_CLOSE);
    EXPECT_FALSE(IsWindow(window)) << "a preview closes at once";
}

TEST_F(Dismissal, WindowSwitchingNestedSaversTitleAndCursorAreKeptFromTheApplication) {
    MakeWindow(false);
    for (WPARAM command : {SC_NEXTWINDOW, SC_PREVWINDOW, SC_SCREENSAVE}) {
        EXPECT_EQ(Send(WM_SYSCOMMAND, command), 0);
        EXPECT_FALSE(TestHooks::Get().WasForwarded(WM_SYSCOMMAND)) << command;
    }
    Send(WM_SYSCOMMAND, 0xF1F0);
    EXPECT_TRUE(TestHooks::Get().WasForwarded(WM_SYSCOMMAND));
    EXPECT_FALSE(CloseRequested());
    EXPECT_EQ(
        Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
        TRUE);
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_EQ(Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("other")), 0);
    EXPECT_FALSE(TestHooks::Get().WasForwarded(WM_SETTEXT));
}

TEST_F(Dismissal, AfterAGrantedCloseNothingReachesTheApplication) {
    MakeWindow(false);
    saverState.closing = 1;
    for (UINT message :
         {WM_TIMER, WM_KEYDOWN, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN})
        Send(message);
    EXPECT_TRUE(TestHooks::Get().forwarded.empty());
    EXPECT_FALSE(CloseRequested());
}

TEST_F(Dismissal, CloseOffWindows9xIsNoGrantEndsTheLoopAndTheInputMethodIsDetached) {
    MakeWindow(false);
    if (GetModuleHandleA("IMM32.DLL")) {
        EXPECT_NE(saverState.associateContext, nullptr);
        EXPECT_EQ(ImmGetContext(window), nullptr);
    }
    Send(WM_CLOSE);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(saverState.closing, 0) << "only the Windows 9x password check grants closes";
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}
