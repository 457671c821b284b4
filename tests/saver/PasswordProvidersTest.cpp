#include "TestHooks.h"

#include "e2e/Registry.h"
#include "saver/SaverFramework.h"

#include <gtest/gtest.h>

namespace {
const char desktopKey[] = "Control Panel\\Desktop";
const char usePassword[] = "ScreenSaveUsePassword";

// The test-built PASSWORD.CPL lies in this program's folder.
class PasswordProviders : public ::testing::Test {
protected:
    void SetUp() override
    {
        saverState = SaverFrameworkState{};
        saverState.onWin9x = 1;
    }
    void TearDown() override
    {
        UnloadPasswordVerifier();
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, desktopKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, usePassword);
            RegCloseKey(key);
        }
        saverState = SaverFrameworkState{};
    }
};
} // namespace

TEST_F(PasswordProviders, VerifierIsLoadedWhenThePasswordIsRequested)
{
    ASSERT_TRUE(e2e::WriteDword(desktopKey, usePassword, 1));
    LoadPasswordVerifier();
    EXPECT_NE(saverState.passwordLibrary, nullptr);
    EXPECT_NE(saverState.verifyPassword, nullptr);
    UnloadPasswordVerifier();
    EXPECT_EQ(saverState.passwordLibrary, nullptr);
    EXPECT_EQ(saverState.verifyPassword, nullptr);
}

TEST_F(PasswordProviders, NoVerifierWithoutTheRequest)
{
    LoadPasswordVerifier();
    EXPECT_EQ(saverState.verifyPassword, nullptr) << "value missing";
    ASSERT_TRUE(e2e::WriteDword(desktopKey, usePassword, 0));
    LoadPasswordVerifier();
    EXPECT_EQ(saverState.verifyPassword, nullptr) << "value zero";
    EXPECT_EQ(saverState.passwordLibrary, nullptr);
}

TEST_F(PasswordProviders, NothingHappensOffWindows9x)
{
    saverState.onWin9x = 0;
    ASSERT_TRUE(e2e::WriteDword(desktopKey, usePassword, 1));
    LoadPasswordVerifier();
    EXPECT_EQ(saverState.verifyPassword, nullptr);
    SetSaverRunning(TRUE);
}

TEST_F(PasswordProviders, LoadingTwiceKeepsOneLibrary)
{
    ASSERT_TRUE(e2e::WriteDword(desktopKey, usePassword, 1));
    LoadPasswordVerifier();
    LoadPasswordVerifier();
    ASSERT_NE(saverState.passwordLibrary, nullptr);
    UnloadPasswordVerifier();
    EXPECT_EQ(GetModuleHandleA("PASSWORD.CPL"), nullptr) << "every load was matched by a release";
}
