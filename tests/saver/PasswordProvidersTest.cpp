#include "SaverWindowFixture.h"

#include "e2e/Registry.h"
#include "saver/SaverFramework.h"

#include <gtest/gtest.h>

namespace {
const char desktopKey[] = "Control Panel\\Desktop";
const char usePassword[] = "ScreenSaveUsePassword";

// The test-built PASSWORD.CPL lies in this program's folder.
class PasswordProviders : public ::testing::Test {
  protected:
    void SetUp() override { saverState = SaverFrameworkState{}; }
    void TearDown() override {
        UnloadPasswordVerifier();
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, desktopKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, usePassword);
            RegCloseKey(key);
        }
        saverState = SaverFrameworkState{};
    }
};
}  // namespace

TEST_F(PasswordProviders, VerifierIsLoadedOnceWhenThePasswordIsRequested) {
    saverState.onWin9x = 1;
    ASSERT_TRUE(e2e::WriteDword(desktopKey, usePassword, 1));
    LoadPasswordVerifier();
    LoadPasswordVerifier();
    EXPECT_NE(saverState.passwordLibrary, nullptr);
    EXPECT_NE(saverState.verifyPassword, nullptr);
    UnloadPasswordVerifier();
    EXPECT_EQ(saverState.passwordLibrary, nullptr);
    EXPECT_EQ(saverState.verifyPassword, nullptr);
    EXPECT_EQ(GetModuleHandleA("PASSWORD.CPL"), nullptr) << "every load was matched by a release";
}

TEST_F(PasswordProviders, NoVerifierWithoutTheRequestOrOffWindows9x) {
    const struct {
        int onWin9x;
        int request;  // -1: the value is missing
    } cases[] = {{1, -1}, {1, 0}, {0, 1}};
    for (const auto& c : cases) {
        saverState.onWin9x = c.onWin9x;
        if (c.request >= 0) {
            ASSERT_TRUE(e2e::WriteDword(desktopKey, usePassword, c.request));
        }
        LoadPasswordVerifier();
        EXPECT_EQ(saverState.verifyPassword, nullptr) << c.onWin9x << " " << c.request;
        EXPECT_EQ(saverState.passwordLibrary, nullptr) << c.onWin9x << " " << c.request;
    }
}
