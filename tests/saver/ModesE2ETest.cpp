#include "SaverProgram.h"

#include "e2e/Registry.h"
#include "e2e/Screenshot.h"
#include "e2e/WindowWait.h"

#include <gtest/gtest.h>

#include <string>

using namespace saver_e2e;

namespace {
const DWORD failed = static_cast<DWORD>(-1);
const char settingsKey[] = "Software\\Quorvane\\Screen Saver";

std::string HandleText(HWND window)
{
    return std::to_string(reinterpret_cast<uintptr_t>(window));
}

// A visible top-level window of this test, to own dialogs or hold previews.
HWND MakeTestWindow(const char* title)
{
    HWND window = CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320, 240, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    e2e::PumpMessages();
    return window;
}

// The owner the saver's configuration dialog gets for the arguments while
// the given window is in the foreground.
HWND DialogOwnerFor(const std::string& arguments, HWND foreground)
{
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
} // namespace

TEST(Modes, BadSwitchesEndWithMinusOne)
{
    EXPECT_EQ(RunToEnd(SaverPath(), "/x"), failed);
    EXPECT_EQ(RunToEnd(SaverPath(), "/\ts"), failed);
    EXPECT_EQ(RunToEnd(SaverPath(), "/p 0"), failed);
    EXPECT_EQ(RunToEnd(SaverPath(), "/p abc"), failed);
    EXPECT_EQ(RunToEnd(SaverPath(), "/p"), failed);
    EXPECT_EQ(RunToEnd(SaverPath(), "/p:1234"), failed);
    uintptr_t noWindow = 1234;
    while (IsWindow(reinterpret_cast<HWND>(noWindow)))
        ++noWindow;
    EXPECT_EQ(RunToEnd(SaverPath(), "/p " + std::to_string(noWindow)), failed);
    EXPECT_EQ(RunToEnd(SaverPath(), "/a"), failed) << "no password change off the Windows 9x family";
}

TEST(Modes, PreviewBecomesAChildOfTheGivenWindow)
{
    for (const char* form : {"/p ", "/l ", "-P", "l  "}) {
        HWND parent = MakeTestWindow("Preview parent");
        ASSERT_NE(parent, nullptr);
        e2e::TestProcess saver;
        ASSERT_TRUE(saver.Start(SaverPath(), form + HandleText(parent)));
        HWND preview = e2e::WaitForWindow("WindowsScreenSaverClass", "Preview", startTimeoutMs, parent);
        ASSERT_NE(preview, nullptr) << form;
        EXPECT_EQ(GetParent(preview), parent);
        EXPECT_TRUE(GetWindowLongA(preview, GWL_STYLE) & WS_CHILD);
        RECT parentClient = {}, previewClient = {};
        GetClientRect(parent, &parentClient);
        GetClientRect(preview, &previewClient);
        EXPECT_EQ(previewClient.right, parentClient.right);
        EXPECT_EQ(previewClient.bottom, parentClient.bottom);

        DestroyWindow(parent);
        EXPECT_EQ(saver.ExitCodeOrKill(endTimeoutMs), 0u) << form;
    }
}

TEST(Modes, EmptyTailOpensTheDialogWithoutOwnerAndTheDefaultsOnFirstRun)
{
    ASSERT_TRUE(e2e::DeleteKeyTree(settingsKey));
    e2e::TestProcess saver;
    ASSERT_TRUE(saver.Start(SaverPath(), ""));
    HWND dialog = WaitForConfigDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
    EXPECT_EQ(ControlText(dialog, 1004), "");
    EXPECT_TRUE(IsChecked(dialog, 1006));
    EXPECT_FALSE(IsChecked(dialog, 1007));
    EXPECT_FALSE(IsChecked(dialog, 1008));
    EXPECT_TRUE(IsChecked(dialog, 1009));
    EXPECT_EQ(ControlText(dialog, 1009), "Scale video to fit screen.");
    EXPECT_EQ(e2e::ReadDword(settingsKey, "Scale to fit screen"), 1u) << "the first run wrote the defaults";
    ASSERT_TRUE(e2e::WaitUntilIdle(saver.Handle(), dialog, startTimeoutMs));
    EXPECT_TRUE(e2e::SavePng(e2e::CaptureWindow(dialog), e2e::WindowsPath(QV_ARTIFACT_DIR "/config-dialog.png")));
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
}

TEST(Modes, DialogShowsTheStoredSettings)
{
    ASSERT_TRUE(e2e::WriteString(settingsKey, "Path", "C:\\stored.vqd"));
    ASSERT_TRUE(e2e::WriteDword(settingsKey, "Auto repeat", 0));
    ASSERT_TRUE(e2e::WriteDword(settingsKey, "Draw mouse clicks", 1));
    e2e::TestProcess saver;
    ASSERT_TRUE(saver.Start(SaverPath(), "/c"));
    HWND dialog = WaitForConfigDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, 1004), "C:\\stored.vqd");
    EXPECT_FALSE(IsChecked(dialog, 1006));
    EXPECT_TRUE(IsChecked(dialog, 1008));
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
    e2e::DeleteKeyTree(settingsKey);
}

TEST(Modes, DialogOwnerIsTheNamedWindowOrTheForegroundWindow)
{
    HWND named = MakeTestWindow("Named owner");
    HWND front = MakeTestWindow("Foreground window");
    EXPECT_EQ(DialogOwnerFor("/c:" + HandleText(named), front), named);
    EXPECT_EQ(DialogOwnerFor("/c " + HandleText(named), front), front) << "without ':' no owner is named";
    EXPECT_EQ(DialogOwnerFor("/c", front), front);
    EXPECT_EQ(DialogOwnerFor("/c:", front), front);
    EXPECT_EQ(DialogOwnerFor("/c:0", front), front);
    DestroyWindow(named);
    DestroyWindow(front);
}

TEST(Modes, SecondFullScreenStartBringsTheFirstForward)
{
    e2e::TestProcess first;
    HWND window = StartFullScreen(first);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(RunToEnd(SaverPath(), "/s"), 0u);
    int windows = 0;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "WindowsScreenSaverClass", "Screen Saver"));)
        ++windows;
    EXPECT_EQ(windows, 1);
    EXPECT_TRUE(first.IsRunning());
    EXPECT_EQ(GetForegroundWindow(), window);
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(ExitCodeAfterWindowGone(first, window), 0u);
}
