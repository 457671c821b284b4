#include "SaverWindowFixture.h"

using Dismissal = SaverWindowFixture;

TEST_F(Dismissal, CreationTakesTheCursorAsReferencePoint)
{
    MakeWindow(false);
    EXPECT_EQ(saverState.lastMousePos.x, cursor.x);
    EXPECT_EQ(saverState.lastMousePos.y, cursor.y);
}

TEST_F(Dismissal, CursorTravelOfFourKeepsTheSaverAndFiveEndsIt)
{
    MakeWindow(false);
    PlaceCursor(cursor.x + 2, cursor.y + 2);
    Send(WM_MOUSEMOVE);
    EXPECT_FALSE(CloseRequested());
    EXPECT_EQ(saverState.lastMousePos.x, cursor.x - 2) << "the reference point stays";

    PlaceCursor(cursor.x + 1, cursor.y);
    Send(WM_MOUSEMOVE);
    EXPECT_TRUE(CloseRequested()) << "3 right and 2 down from the reference point";
}

TEST_F(Dismissal, TravelThreeRightAndTwoDownEndsItAndMovesTheReference)
{
    MakeWindow(false);
    PlaceCursor(cursor.x + 3, cursor.y + 2);
    Send(WM_MOUSEMOVE);
    EXPECT_TRUE(CloseRequested());
    EXPECT_EQ(saverState.lastMousePos.x, cursor.x);
    EXPECT_EQ(saverState.lastMousePos.y, cursor.y);
}

TEST_F(Dismissal, SmallMovesAddUpFromTheReferencePoint)
{
    MakeWindow(false);
    PlaceCursor(cursor.x + 3, cursor.y);
    Send(WM_MOUSEMOVE);
    EXPECT_FALSE(CloseRequested());
    PlaceCursor(cursor.x + 2, cursor.y);
    Send(WM_MOUSEMOVE);
    EXPECT_TRUE(CloseRequested());
}

TEST_F(Dismissal, MoveMessagePositionIsNotWhatCounts)
{
    MakeWindow(false);
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(150, 90));
    EXPECT_FALSE(CloseRequested());
}

TEST_F(Dismissal, KeysAndButtonPressesEndIt)
{
    MakeWindow(false);
    for (UINT message : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        Send(message, message == WM_KEYDOWN ? 'A' : 0);
        EXPECT_TRUE(CloseRequested()) << std::hex << message;
        EXPECT_TRUE(IsWindow(window)) << "a request only; the window stays until it is handled";
    }
}

TEST_F(Dismissal, ReleasesWheelAndKeyUpsDoNot)
{
    MakeWindow(false);
    for (UINT message : {WM_KEYUP, WM_SYSKEYUP, WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP, WM_MOUSEWHEEL, WM_CHAR}) {
        Send(message, message == WM_MOUSEWHEEL ? MAKEWPARAM(0, WHEEL_DELTA) : 0);
        EXPECT_FALSE(CloseRequested()) << std::hex << message;
    }
}

TEST_F(Dismissal, LosingActivationEndsIt)
{
    MakeWindow(false);
    Send(WM_ACTIVATEAPP, TRUE);
    EXPECT_FALSE(CloseRequested());
    Send(WM_ACTIVATEAPP, FALSE);
    EXPECT_TRUE(CloseRequested());
}

TEST_F(Dismissal, PowerEvents)
{
    MakeWindow(false);
    Send(WM_POWER, 1);
    Send(WM_POWER, 2);
    EXPECT_FALSE(CloseRequested());
    Send(WM_POWER, PWR_CRITICALRESUME);
    EXPECT_TRUE(CloseRequested());
    for (WPARAM event : {WPARAM{PBT_APMSUSPEND}, WPARAM{PBT_APMRESUMEAUTOMATIC}, WPARAM{0x1234}}) {
        Send(WM_POWERBROADCAST, event);
        EXPECT_TRUE(CloseRequested()) << event;
    }
}

TEST_F(Dismissal, WindowSwitchingAndNestedSaverRequestsAreSwallowed)
{
    MakeWindow(false);
    for (WPARAM command : {SC_NEXTWINDOW, SC_PREVWINDOW, SC_SCREENSAVE}) {
        EXPECT_EQ(Send(WM_SYSCOMMAND, command), 0);
        EXPECT_FALSE(TestHooks::Get().WasForwarded(WM_SYSCOMMAND)) << command;
    }
    Send(WM_SYSCOMMAND, 0xF1F0);
    EXPECT_TRUE(TestHooks::Get().WasForwarded(WM_SYSCOMMAND)) << "other commands reach the application";
    EXPECT_FALSE(CloseRequested());
}

TEST_F(Dismissal, CursorIsHiddenAndTitleFixed)
{
    MakeWindow(false);
    EXPECT_EQ(Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_EQ(Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("other")), 0);
    EXPECT_FALSE(TestHooks::Get().WasForwarded(WM_SETTEXT));
    char title[32] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Screen Saver");
}

TEST_F(Dismissal, CloseDestroysTheWindowAndQuitsTheLoop)
{
    MakeWindow(false);
    Send(WM_CLOSE);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(saverState.closing, 0) << "only the Windows 9x password check grants closes";
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(Dismissal, NothingEndsAPreview)
{
    MakeWindow(true);
    PlaceCursor(cursor.x + 40, cursor.y + 40);
    for (UINT message : {WM_MOUSEMOVE, WM_KEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN})
        Send(message);
    Send(WM_ACTIVATEAPP, FALSE);
    Send(WM_POWERBROADCAST, PBT_APMSUSPEND);
    Send(WM_POWER, PWR_CRITICALRESUME);
    EXPECT_FALSE(CloseRequested());
    Send(WM_SYSCOMMAND, SC_NEXTWINDOW);
    EXPECT_TRUE(TestHooks::Get().WasForwarded(WM_SYSCOMMAND)) << "not swallowed in preview";

    Send(WM_CLOSE);
    EXPECT_FALSE(IsWindow(window)) << "a preview closes at once";
}

TEST_F(Dismissal, PreviewPassesHelpToItsParent)
{
    MakeWindow(true);
    EXPECT_EQ(Send(WM_CONTEXTMENU, 0, MAKELPARAM(10, 20)), 1);
    EXPECT_FALSE(TestHooks::Get().WasForwarded(WM_CONTEXTMENU));
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, parent, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE));
    EXPECT_EQ(message.wParam, reinterpret_cast<WPARAM>(parent));
    EXPECT_EQ(message.lParam, MAKELPARAM(10, 20));
}

TEST_F(Dismissal, AfterAGrantedCloseInputAndTimersStopReachingTheApplication)
{
    MakeWindow(false);
    Send(WM_TIMER, 1);
    EXPECT_TRUE(TestHooks::Get().WasForwarded(WM_TIMER));
    saverState.closing = 1;
    TestHooks::Get().forwarded.clear();
    for (UINT message : {WM_TIMER, WM_KEYDOWN, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN})
        Send(message);
    EXPECT_TRUE(TestHooks::Get().forwarded.empty());
    EXPECT_FALSE(CloseRequested());
}

TEST_F(Dismissal, InputMethodIsDetachedWhileTheWindowExists)
{
    if (!GetModuleHandleA("IMM32.DLL"))
        GTEST_SKIP() << "IMM32 is not loaded in this process";
    MakeWindow(false);
    EXPECT_NE(saverState.associateContext, nullptr);
    EXPECT_EQ(ImmGetContext(window), nullptr);
}
