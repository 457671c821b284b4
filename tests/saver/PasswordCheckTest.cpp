#include "SaverWindowFixture.h"

namespace {
// A stand-in for the system's password dialog.
struct FakeVerifier {
    int calls = 0;
    BOOL answer = FALSE;
    bool closeRequestedDuringPrompt = false;
    int checkingDuringPrompt = 0;
};
FakeVerifier verifier;

BOOL WINAPI VerifyWithFake(HWND window)
{
    ++verifier.calls;
    verifier.checkingDuringPrompt = saverState.checkingPassword;
    // Input while the prompt is up must not ask for another close.
    SendMessageA(window, WM_KEYDOWN, 'A', 0);
    MSG message;
    verifier.closeRequestedDuringPrompt = PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
    return verifier.answer;
}

class PasswordCheck : public SaverWindowFixture {
protected:
    void SetUp() override
    {
        SaverWindowFixture::SetUp();
        verifier = FakeVerifier{};
        MakeWindow(false);
        saverState.onWin9x = 1;
    }

    void LoadFakeVerifier() { saverState.verifyPassword = VerifyWithFake; }
};
} // namespace

TEST_F(PasswordCheck, RefusedPasswordKeepsTheSaver)
{
    LoadFakeVerifier();
    PlaceCursor(cursor.x + 30, cursor.y);
    EXPECT_EQ(Send(WM_CLOSE), 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(verifier.calls, 1);
    EXPECT_EQ(verifier.checkingDuringPrompt, 1);
    EXPECT_FALSE(verifier.closeRequestedDuringPrompt);
    EXPECT_EQ(saverState.checkingPassword, 0);
    EXPECT_EQ(saverState.closing, 0);
    EXPECT_NE(saverState.lastPasswordCheck, 0xFFFFFFFFu);
    EXPECT_EQ(saverState.lastMousePos.x, cursor.x) << "the reference point starts afresh";
}

TEST_F(PasswordCheck, NoSecondPromptWithin200Milliseconds)
{
    LoadFakeVerifier();
    saverState.lastPasswordCheck = GetTickCount();
    Send(WM_CLOSE);
    EXPECT_EQ(verifier.calls, 0);
    EXPECT_TRUE(IsWindow(window));

    saverState.lastPasswordCheck = GetTickCount() - 250;
    Send(WM_CLOSE);
    EXPECT_EQ(verifier.calls, 1);
}

TEST_F(PasswordCheck, GrantedPasswordEndsTheSaver)
{
    LoadFakeVerifier();
    verifier.answer = TRUE;
    Send(WM_CLOSE);
    EXPECT_EQ(verifier.calls, 1);
    EXPECT_EQ(saverState.closing, 1);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(PasswordCheck, PromptDiscardsAtMostTwoPendingTimerMessages)
{
    LoadFakeVerifier();
    for (int i = 0; i < 3; ++i)
        PostMessageA(window, WM_TIMER, 1, 0);
    Send(WM_CLOSE);
    int left = 0;
    MSG message;
    while (PeekMessageA(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE))
        ++left;
    EXPECT_EQ(left, 1);
}

TEST_F(PasswordCheck, WithoutVerifierTheFirstCloseIsGranted)
{
    Send(WM_CLOSE);
    EXPECT_EQ(saverState.closing, 1);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(PasswordCheck, VerifyMessageAsksTheVerifier)
{
    EXPECT_EQ(Send(WM_VERIFY_PASSWORD), 1) << "no verifier: allowed";
    LoadFakeVerifier();
    verifier.answer = FALSE;
    EXPECT_EQ(Send(WM_VERIFY_PASSWORD), 0);
    saverState.onWin9x = 0;
    EXPECT_EQ(Send(WM_VERIFY_PASSWORD), 0) << "an ordinary message off Windows 9x";
}

TEST_F(PasswordCheck, AutoPlayQueryIsCancelledOnlyWithAVerifier)
{
    saverState.autoPlayQueryMessage = RegisterWindowMessageA("QueryCancelAutoPlay");
    EXPECT_EQ(Send(saverState.autoPlayQueryMessage), 0);
    EXPECT_TRUE(CloseRequested());
    LoadFakeVerifier();
    EXPECT_EQ(Send(saverState.autoPlayQueryMessage), 1);
    EXPECT_TRUE(CloseRequested());
}

TEST_F(PasswordCheck, CheckRefusedWhileAPromptIsUpOrAfterAGrant)
{
    LoadFakeVerifier();
    saverState.checkingPassword = 1;
    EXPECT_FALSE(VerifySaverPassword(window));
    saverState.checkingPassword = 0;
    saverState.closing = 1;
    EXPECT_FALSE(VerifySaverPassword(window));
    EXPECT_EQ(verifier.calls, 0);
}
