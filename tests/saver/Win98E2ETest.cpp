#include "SaverProgram.h"
#include "fakes/FakeRecord.h"

#include "e2e/Input.h"
#include "e2e/Registry.h"
#include "e2e/WindowWait.h"

#include <gtest/gtest.h>

using namespace saver_e2e;

namespace {
const char desktopKey[] = "Control Panel\\Desktop";
const char usePassword[] = "ScreenSaveUsePassword";

// Wine runs the two copies of the saver as Windows 98 (its per-program
// settings). Next to them lie stand-ins of the password libraries: with
// PASSWORD.CPL and a recording MPR.DLL, or with an MPR.DLL that lacks the
// password change entry. The stand-ins record into the registry.
class Windows98 : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* program : {"Win98Saver.scr", "Win98BareSaver.scr"}) {
            std::string settings = std::string("Software\\Wine\\AppDefaults\\") + program;
            ASSERT_TRUE(e2e::WriteString(settings, "Version", "win98"));
            // Wine has an MPR.DLL of its own; the one in the program's folder is to be used.
            ASSERT_TRUE(e2e::WriteString(settings + "\\DllOverrides", "mpr", "native"));
        }
        ASSERT_TRUE(e2e::DeleteKeyTree(QV_FAKE_RECORD_KEY));
        e2e::MoveCursorTo(512, 384);
    }

    void TearDown() override {
        e2e::DeleteKeyTree(QV_FAKE_RECORD_KEY);
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, desktopKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, usePassword);
            RegCloseKey(key);
        }
    }

    // The Windows 98 copy, full screen and waiting for input.
    HWND StartReady() {
        HWND window = StartFullScreen(saver, e2e::WindowsPath(QV_WIN98_SAVER_PATH));
        EXPECT_TRUE(window && WaitUntilReady(saver, window));
        return window;
    }
    DWORD VerifyCalls() { return e2e::ReadDword(QV_FAKE_RECORD_KEY, "VerifyCalls").value_or(0); }

    e2e::TestProcess saver;
};
}  // namespace

TEST_F(Windows98, PasswordChangeGoesToTheProviderAndSucceedsWithoutItsEntry) {
    HWND owner = MakeTestWindow("Owner");
    EXPECT_EQ(RunToEnd(e2e::WindowsPath(QV_WIN98_SAVER_PATH), "/a " + HandleText(owner)), 0u);
    EXPECT_EQ(e2e::ReadString(QV_FAKE_RECORD_KEY, "ChangeProvider"), std::string("SCRSAVE"));
    EXPECT_EQ(e2e::ReadString(QV_FAKE_RECORD_KEY, "ChangeOwner"), HandleText(owner));
    DestroyWindow(owner);

    ASSERT_TRUE(e2e::DeleteKeyTree(QV_FAKE_RECORD_KEY));
    EXPECT_EQ(RunToEnd(e2e::WindowsPath(QV_WIN98_BARE_SAVER_PATH), "/a"), 0u);
    EXPECT_FALSE(e2e::ReadString(QV_FAKE_RECORD_KEY, "ChangeProvider").has_value());
}

TEST_F(Windows98, WithoutPasswordTheFirstKeyEndsTheSaver) {
    HWND window = StartReady();
    e2e::PressKeyAndRelease(VK_SPACE);
    EXPECT_EQ(ExitCodeAfterWindowGone(saver, window), 0u);
    EXPECT_EQ(VerifyCalls(), 0u);
}

TEST_F(Windows98, RefusedPasswordKeepsTheSaverAndAGrantedOneEndsIt) {
    ASSERT_TRUE(e2e::WriteDword(desktopKey, usePassword, 1));
    ASSERT_TRUE(e2e::WriteDword(QV_FAKE_RECORD_KEY, "GrantFromCall", 2));
    HWND window = StartReady();

    // The first prompt refuses and leaves two close requests queued; they
    // come within 200 ms of the prompt and bring no second prompt.
    e2e::PressKeyAndRelease(VK_SPACE);
    ASSERT_TRUE(e2e::WaitUntil([&] { return VerifyCalls() >= 1; }, startTimeoutMs));
    ASSERT_TRUE(e2e::WaitUntilIdle(saver.Handle(), window, startTimeoutMs));
    EXPECT_EQ(VerifyCalls(), 1u);
    EXPECT_TRUE(saver.IsRunning());
    EXPECT_TRUE(IsWindow(window));

    // Later key presses prompt again once 200 ms have passed; that prompt grants.
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            e2e::PressKeyAndRelease(VK_SPACE);
            return VerifyCalls() >= 2 || !saver.IsRunning();
        },
        startTimeoutMs));
    EXPECT_EQ(ExitCodeAfterWindowGone(saver, window), 0u);
    EXPECT_EQ(VerifyCalls(), 2u);
}
