#include "SaverWindowFixture.h"

// The refused and granted prompts and the 200 ms between prompts are checked
// end to end (Win98E2ETest); here what the application cannot see there.
namespace {
// A stand-in for the system's password dialog.
struct FakeVerifier {
    int calls = 0;
    BOOL answer = FALSE;
    bool closeRequestedDuringPrompt = false;
    int checkingDuringPrompt = 0;
    LRESULT hitDuringPrompt = HTNOWHERE;
};
FakeVerifier verifier;

BOOL WINAPI VerifyWithFake(HWND window) {
    ++verifier.calls;
    verifier.checkingDuringPrompt = saverState.checkingPassword;
    // Input while the prompt is up must not ask for another close; messages
    // get the default processing.
    SendMessageA(window, WM_KEYDOWN, 'A', 0);
    verifier.hitDuringPrompt = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(5, 5));
    MSG message;
    verifier.closeRequestedDuringPrompt =
        PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
    return verifier.answer;
}

// A full-screen window on Windows 9x; the tests load the fake verifier as needed.
class PasswordCheck : public SaverWindowFixture {
  protected:
    void SetUp() override {
        SaverWindowFixture::SetUp();
        verifier = FakeVerifier{};
        MakeWindow(false);
        saverState.onWin9x = 1;
    }
};
}  // namespace

TEST_F(PasswordCheck, ARefusedPromptIgnoresInputDiscardsTwoTimerTicksAndStartsTravelAfresh) {
    saverState.verifyPassword = VerifyWithFake;
    for (int i = 0; i < 3; ++i)
        PostMessageA(window, WM_TIMER, 1, 0);
    PlaceCursor(cursor.x + 30, cursor.y);
    EXPECT_EQ(Send(WM_CLOSE), 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(verifier.calls, 1);
    EXPECT_EQ(verifier.checkingDuringPrompt, 1);
    EXPECT_FALSE(verifier.closeRequestedDuringPrompt);
    EXPECT_EQ(verifier.hitDuringPrompt, HTCLIENT);
    EXPECT_EQ(saverState.checkingPassword, 0);
    EXPECT_EQ(saverState.lastMousePos.x, cursor.x) << "the reference point starts afresh";
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
