#include "SaverProgram.h"

#include "e2e/Input.h"
#include "e2e/WindowWait.h"

#include <gtest/gtest.h>

#include <string>

using namespace saver_e2e;

namespace {
// The owner the saver's configuration dialog gets for the arguments while
// the given window is in the foreground.
HWND DialogOwnerFor(const std::string& arguments, HWND foreground) {
    SetForegroundWindow(foreground);
    e2e::PumpMessages();
    EXPECT_EQ(GetForegroundWindow(), foreground);
    e2e::TestProcess saver;
    if (!saver.Start(SaverPath(), arguments))
        return nullptr;
    HWND dialog = WaitForConfigDialog();
    HWND owner = dialog ? GetWindow(dialog, GW_OWNER) : nullptr;
    EXPECT_EQ(CancelDialog(saver, dialog), 0u) << arguments;
    return owner;
}
}  // namespace

TEST(Modes, BadSwitchesEndWithMinusOne) {
    uintptr_t noWindow = 1234;
    while (IsWindow(reinterpret_cast<HWND>(noWindow)))
        ++noWindow;
    const std::string none = std::to_string(noWindow);
    // "/a" is refused off the Windows 9x family, which this prefix is not.
    for (const std::string& tail :
         {std::string("/x"), std::string("/\ts"), std::string("?"), std::string("/p 0"),
          std::string("/p abc"), std::string("/p"), std::string("/p:1234"), "/p " + none,
          "-l " + none, std::string("/a"), std::string("-A 1234")})
        EXPECT_EQ(RunToEnd(SaverPath(), tail), static_cast<DWORD>(-1)) << tail;
}

// In preview none of the dismissal rules apply; the saver ends with its parent.
TEST(Modes, PreviewBecomesAChildOfTheGivenWindowAndIgnoresInput) {
    for (const char* form : {"/p ", "/l ", "-P", "l  "}) {
        HWND parent = MakeTestWindow("Preview parent");
        ASSERT_NE(parent, nullptr);
        e2e::TestProcess saver;
        ASSERT_TRUE(saver.Start(SaverPath(), form + HandleText(parent)));
        HWND preview =
            e2e::WaitForWindow("WindowsScreenSaverClass", "Preview", startTimeoutMs, parent);
        ASSERT_NE(preview, nullptr) << form;
        EXPECT_EQ(GetParent(preview), parent);
        EXPECT_TRUE(GetWindowLongA(preview, GWL_STYLE) & WS_CHILD);
        RECT parentClient = {}, previewClient = {};
        GetClientRect(parent, &parentClient);
        GetClientRect(preview, &previewClient);
        EXPECT_EQ(previewClient.right, parentClient.right);
        EXPECT_EQ(previewClient.bottom, parentClient.bottom);

        for (UINT message : {WM_KEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN,
                             WM_ACTIVATEAPP, WM_POWERBROADCAST})
            PostMessageA(preview, message, 0, 0);
        e2e::MoveCursorTo(100, 100);
        e2e::MoveCursorTo(200, 150);
        ASSERT_TRUE(e2e::WaitUntilIdle(saver.Handle(), preview, startTimeoutMs));
        EXPECT_TRUE(saver.IsRunning()) << form;
        EXPECT_TRUE(IsWindow(preview)) << form;

        DestroyWindow(parent);
        EXPECT_EQ(saver.ExitCodeOrKill(endTimeoutMs), 0u) << form;
    }
}

TEST(Modes, DialogOwnerIsTheNamedWindowOrTheForegroundWindow) {
    HWND named = MakeTestWindow("Named owner");
    HWND front = MakeTestWindow("Foreground window");
    EXPECT_EQ(DialogOwnerFor("/c:" + HandleText(named), front), named);
    EXPECT_EQ(DialogOwnerFor("/c " + HandleText(named), front), front)
        << "without ':' no owner is named";
    EXPECT_EQ(DialogOwnerFor("/c", front), front);
    EXPECT_EQ(DialogOwnerFor("/c:", front), front);
    EXPECT_EQ(DialogOwnerFor("/c:0", front), front);
    DestroyWindow(named);
    DestroyWindow(front);
}

TEST(Modes, SecondFullScreenStartBringsTheFirstForward) {
    e2e::TestProcess first;
    HWND window = StartFullScreen(first);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(RunToEnd(SaverPath(), "/s"), 0u);
    int windows = 0;
    for (HWND w = nullptr;
         (w = FindWindowExA(nullptr, w, "WindowsScreenSaverClass", "Screen Saver"));)
        ++windows;
    EXPECT_EQ(windows, 1);
    EXPECT_TRUE(first.IsRunning());
    EXPECT_EQ(GetForegroundWindow(), window);
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(ExitCodeAfterWindowGone(first, window), 0u);
}
