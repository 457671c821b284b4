// The saver framework with the application's hooks supplied here: command-line
// parsing, the rules that end the saver on a hidden window of the framework's
// procedure, and the Windows 9x password check. The built program is run end
// to end (SaverE2ETest).
#include "e2e/Registry.h"
#include "e2e/WindowWait.h"
#include "saver/SaverFramework.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
std::vector<UINT> forwarded;  // what reached the application's window hook
int dialogs = 0;
HWND dialogOwner = nullptr;
bool Forwarded(UINT message) {
    return std::find(forwarded.begin(), forwarded.end(), message) != forwarded.end();
}
}  // namespace

LRESULT SaverWindowHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    forwarded.push_back(message);
    return DefSaverWindowProc(window, message, wParam, lParam);
}
// The configuration dialog (of the linked resources) notes its owner and ends at once.
INT_PTR CALLBACK ConfigDialogHook(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG)
        return FALSE;
    ++dialogs;
    dialogOwner = GetWindow(dialog, GW_OWNER);
    EndDialog(dialog, 0);
    return TRUE;
}
BOOL PrepareDialogClasses(HINSTANCE) {
    return TRUE;
}

TEST(CommandLine, TailSkipsTheProgramNameAndFollowingBlanks) {
    for (const char* line : {"saver.scr /s", "saver.scr \t  /s", "\"C:\\My Savers\\saver.scr\" /s",
                             "\"C:\\My Savers\\saver.scr\"/s"})
        EXPECT_STREQ(CommandTail(line), "/s") << line;
    for (const char* line : {"\"unterminated quote /s", "saver.scr", ""})
        EXPECT_STREQ(CommandTail(line), "") << line;
}

TEST(CommandLine, WindowHandleIsLeadingDecimalDigits) {
    EXPECT_EQ(ParseWindowHandle("1234"), reinterpret_cast<HWND>(1234));
    EXPECT_EQ(ParseWindowHandle("56 78"), reinterpret_cast<HWND>(56));
    EXPECT_EQ(ParseWindowHandle("4294967295"), reinterpret_cast<HWND>(uintptr_t(0xFFFFFFFFu)));
    for (const char* text : {"0x10", " 12", "-5", "abc", ""})
        EXPECT_EQ(ParseWindowHandle(text), nullptr) << text;
}

// The configuration dialog's owner is the window named after "c:", else the
// foreground window; none for an empty tail. Bad switches, previews of no
// window and "/a" off Windows 9x end with -1.
TEST(CommandLine, TailsChooseTheDialogsOwnerOrEndWithMinusOne) {
    HWND named = e2e::MakeWindow();
    HWND front = e2e::MakeWindow();
    uintptr_t noWindow = 1234;
    while (IsWindow(reinterpret_cast<HWND>(noWindow)))
        ++noWindow;
    const std::string none = std::to_string(noWindow), name = std::to_string(uintptr_t(named));
    auto expect = [&](const std::string& tail, int result, HWND owner) {
        // Focus changes of the last dialog may still be on their way.
        ASSERT_TRUE(e2e::WaitUntil(
            [&] {
                SetForegroundWindow(front);
                e2e::PumpMessages();
                return GetForegroundWindow() == front;
            },
            5000));
        dialogs = 0;
        dialogOwner = nullptr;
        saverState = SaverFrameworkState{};
        EXPECT_EQ(SaverMain(GetModuleHandleA(nullptr), nullptr, tail.c_str(), 0), result) << tail;
        EXPECT_EQ(dialogs, result == 0 ? 1 : 0) << tail;
        EXPECT_EQ(dialogOwner, owner) << tail;
    };
    using Tails = std::vector<std::string>;
    for (const std::string& tail : Tails{"", "   ", "-/ -//"})
        expect(tail, 0, nullptr);
    for (const std::string& tail : Tails{"/c", "/C:", "c:0", "/c " + name, "/c:" + none})
        expect(tail, 0, front);
    expect("-c:" + name, 0, named);
    for (const std::string& tail : Tails{"/x", "/\ts", "?", "/p 0", "/p abc", "/p", "/p:1234", "/a",
                                         "-A 1234", "/p " + none, "-l " + none})
        expect(tail, -1, nullptr);
    DestroyWindow(named);
    DestroyWindow(front);
}

namespace {
// A hidden window of the framework's procedure, full screen or a preview in a
// parent, made with the framework state reset and the cursor at a known place.
class SaverWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        saverState = SaverFrameworkState{};
        SetCursorPos(500, 400);
        static ATOM registered = [] {
            WNDCLASSA description = {};
            description.lpfnWndProc = FrameworkWindowProc;
            description.hInstance = GetModuleHandleA(nullptr);
            description.lpszClassName = "SaverFrameworkTest";
            return RegisterClassA(&description);
        }();
        ASSERT_NE(registered, 0);
    }
    void TearDown() override {
        DestroyWindow(window);
        DestroyWindow(parent);
        MSG message;  // the quit message of a destroyed saver window
        PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    void Make(bool preview) {
        if (preview) {
            parent = e2e::MakeWindow(nullptr, WS_POPUP);
            saverState.previewMode = 1;
        }
        window = e2e::MakeWindow(parent, preview ? WS_CHILD : WS_POPUP, "SaverFrameworkTest");
        ASSERT_NE(window, nullptr);
        CloseRequested();
        forwarded.clear();
    }
    // True when a close request was posted since the last call (it is removed).
    bool CloseRequested() {
        MSG message;
        bool found = false;
        while (PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE))
            found = true;
        return found;
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(window, message, wParam, lParam);
    }

    HWND window = nullptr, parent = nullptr;
};
using Dismissal = SaverWindow;
}  // namespace

TEST_F(Dismissal, InputAsksForACloseOnlyAsTabled) {
    Make(false);
    auto expect = [&](UINT message, WPARAM wParam, bool ends, LPARAM lParam = 0) {
        Send(message, wParam, lParam);
        EXPECT_EQ(CloseRequested(), ends) << std::hex << message << " " << wParam;
        EXPECT_TRUE(IsWindow(window)) << "a request only; the window stays until it is handled";
    };
    for (UINT message : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN})
        expect(message, 0, true);
    for (UINT message : {WM_KEYUP, WM_SYSKEYUP, WM_LBUTTONUP, WM_MOUSEWHEEL, WM_CHAR})
        expect(message, 0, false);
    expect(WM_ACTIVATEAPP, FALSE, true);
    expect(WM_ACTIVATEAPP, TRUE, false);
    expect(WM_POWER, PWR_CRITICALRESUME, true);
    for (WPARAM event : {1, 2})
        expect(WM_POWER, event, false);
    for (WPARAM event : {PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC, 0x1234})
        expect(WM_POWERBROADCAST, event, true);
    expect(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, false);
    // The cursor's travel from where it last woke the saver counts, not the
    // position the message carries.
    expect(WM_MOUSEMOVE, 0, false, MAKELPARAM(150, 90));
    for (auto [x, ends] : {std::pair{504, false}, {505, true}, {508, false}, {510, true}}) {
        SetCursorPos(x, 400);
        expect(WM_MOUSEMOVE, 0, ends);
    }
}

TEST_F(Dismissal, NothingEndsAPreviewAndItsHelpGoesToTheParent) {
    Make(true);
    EXPECT_EQ(Send(WM_CONTEXTMENU, 0, MAKELPARAM(10, 20)), 1);
    EXPECT_FALSE(Forwarded(WM_CONTEXTMENU));
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, parent, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE));
    EXPECT_EQ(message.wParam, reinterpret_cast<WPARAM>(parent));
    EXPECT_EQ(message.lParam, MAKELPARAM(10, 20));

    SetCursorPos(540, 440);
    for (UINT input : {WM_MOUSEMOVE, WM_KEYDOWN, WM_LBUTTONDOWN, WM_ACTIVATEAPP, WM_POWERBROADCAST})
        Send(input);
    EXPECT_FALSE(CloseRequested());
    Send(WM_SYSCOMMAND, SC_NEXTWINDOW);
    EXPECT_TRUE(Forwarded(WM_SYSCOMMAND)) << "not swallowed in preview";
    Send(WM_CLOSE);
    EXPECT_FALSE(IsWindow(window)) << "a preview closes at once";
}

// Window switching, nested savers, the title and the cursor are kept from the
// application; a close off Windows 9x needs no grant and ends the loop.
TEST_F(Dismissal, FullScreenKeepsSystemCommandsTitleAndCursorAndClosesAtOnce) {
    Make(false);
    for (WPARAM command : {SC_NEXTWINDOW, SC_PREVWINDOW, SC_SCREENSAVE}) {
        EXPECT_EQ(Send(WM_SYSCOMMAND, command), 0);
        EXPECT_FALSE(Forwarded(WM_SYSCOMMAND)) << command;
    }
    Send(WM_SYSCOMMAND, 0xF1F0);
    EXPECT_TRUE(Forwarded(WM_SYSCOMMAND));
    EXPECT_FALSE(CloseRequested());
    EXPECT_EQ(Send(WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_EQ(Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("other")), 0);
    EXPECT_FALSE(Forwarded(WM_SETTEXT));
    if (GetModuleHandleA("IMM32.DLL")) {
        EXPECT_NE(saverState.associateContext, nullptr);
        EXPECT_EQ(ImmGetContext(window), nullptr) << "the input method is detached";
    }
    Send(WM_CLOSE);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(saverState.closing, 0) << "only the Windows 9x password check grants closes";
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(Dismissal, AfterAGrantedCloseNothingReachesTheApplication) {
    Make(false);
    saverState.closing = 1;
    for (UINT message : {WM_TIMER, WM_KEYDOWN, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MBUTTONDOWN})
        Send(message);
    EXPECT_TRUE(forwarded.empty());
    EXPECT_FALSE(CloseRequested());
}

namespace {
// A stand-in for the system's password dialog; input while it is up must not
// ask for another close, and messages get the default processing.
struct FakeVerifier {
    int calls = 0;
    BOOL answer = FALSE;
    bool closeRequestedDuringPrompt = false;
    int checkingDuringPrompt = 0;
    LRESULT hitDuringPrompt = HTNOWHERE;
} verifier;

BOOL WINAPI VerifyWithFake(HWND window) {
    ++verifier.calls;
    verifier.checkingDuringPrompt = saverState.checkingPassword;
    SendMessageA(window, WM_KEYDOWN, 'A', 0);
    verifier.hitDuringPrompt = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(5, 5));
    MSG message;
    verifier.closeRequestedDuringPrompt =
        PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
    return verifier.answer;
}

// A full-screen window on Windows 9x.
class PasswordCheck : public SaverWindow {
  protected:
    void SetUp() override {
        SaverWindow::SetUp();
        verifier = FakeVerifier{};
        Make(false);
        saverState.onWin9x = 1;
    }
};
}  // namespace

TEST_F(PasswordCheck, ARefusedPromptIgnoresInputDiscardsTwoTimerTicksAndStartsTravelAfresh) {
    saverState.verifyPassword = VerifyWithFake;
    for (int i = 0; i < 3; ++i)
        PostMessageA(window, WM_TIMER, 1, 0);
    SetCursorPos(530, 400);
    EXPECT_EQ(Send(WM_CLOSE), 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(verifier.calls, 1);
    EXPECT_EQ(verifier.checkingDuringPrompt, 1);
    EXPECT_FALSE(verifier.closeRequestedDuringPrompt);
    EXPECT_EQ(verifier.hitDuringPrompt, HTCLIENT);
    EXPECT_EQ(saverState.checkingPassword, 0);
    EXPECT_EQ(saverState.lastMousePos.x, 530) << "the reference point starts afresh";
    int timersLeft = 0;
    MSG message;
    while (PeekMessageA(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE))
        ++timersLeft;
    EXPECT_EQ(timersLeft, 1);

    saverState.lastPasswordCheck = GetTickCount() - 250;
    saverState.checkingPassword = 1;
    EXPECT_FALSE(VerifySaverPassword(window)) << "no prompt while one is up";
    saverState.checkingPassword = 0;
    verifier.answer = TRUE;
    EXPECT_TRUE(VerifySaverPassword(window));
    EXPECT_FALSE(VerifySaverPassword(window)) << "nor after a grant";
    EXPECT_EQ(verifier.calls, 2);
}

TEST_F(PasswordCheck, WithoutVerifierEverythingIsAllowedAndAnAutoPlayQueryCloses) {
    saverState.autoPlayQueryMessage = RegisterWindowMessageA("QueryCancelAutoPlay");
    EXPECT_EQ(Send(saverState.autoPlayQueryMessage), 0) << "not cancelled without a verifier";
    EXPECT_TRUE(CloseRequested());
    EXPECT_EQ(Send(WM_VERIFY_PASSWORD), 1);
    saverState.verifyPassword = VerifyWithFake;
    EXPECT_EQ(Send(saverState.autoPlayQueryMessage), 1);
    EXPECT_TRUE(CloseRequested());
    EXPECT_EQ(Send(WM_VERIFY_PASSWORD), 0) << "the fake refuses";
    saverState.onWin9x = 0;
    EXPECT_EQ(Send(WM_VERIFY_PASSWORD), 0) << "an ordinary message off Windows 9x";
    saverState.verifyPassword = nullptr;
    saverState.onWin9x = 1;
    Send(WM_CLOSE);
    EXPECT_EQ(saverState.closing, 1);
    EXPECT_FALSE(IsWindow(window));
}

// The test-built PASSWORD.CPL lies in this program's folder. It is loaded
// once, only on Windows 9x with the password asked for, and released in full.
TEST(PasswordProviders, VerifierIsLoadedOnlyWhenRequestedOnWindows9x) {
    const char desktopKey[] = "Control Panel\\Desktop", usePassword[] = "ScreenSaveUsePassword";
    for (auto [onWin9x, request] : {std::pair{1, -1}, {1, 0}, {0, 1}, {1, 1}}) {
        saverState = SaverFrameworkState{};
        saverState.onWin9x = onWin9x;
        if (request < 0)
            RegDeleteKeyValueA(HKEY_CURRENT_USER, desktopKey, usePassword);
        else
            ASSERT_TRUE(e2e::WriteDword(desktopKey, usePassword, request));
        LoadPasswordVerifier();
        LoadPasswordVerifier();
        EXPECT_EQ(saverState.verifyPassword != nullptr, onWin9x && request > 0) << request;
        EXPECT_EQ(saverState.passwordLibrary != nullptr, onWin9x && request > 0) << request;
        UnloadPasswordVerifier();
        EXPECT_EQ(saverState.passwordLibrary, nullptr);
        EXPECT_EQ(saverState.verifyPassword, nullptr);
        EXPECT_EQ(GetModuleHandleA("PASSWORD.CPL"), nullptr) << "every load matched by a release";
    }
    RegDeleteKeyValueA(HKEY_CURRENT_USER, desktopKey, usePassword);
    saverState = SaverFrameworkState{};
}
