// The settings store under a policy, in-process against the registry: the
// computer's policy over the user's over the user's own settings, and what a
// policy fixes is never written to the user's key. The dialog's side (the
// controls disabled) is driven end to end in SaverE2ETest.
#include "e2e/Registry.h"
#include "saver/SaverConfigDlg.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const char policyKey[] = "Software\\Policies\\Quorvane\\Screen Saver";
const char settingsKey[] = "Software\\Quorvane\\Screen Saver";

class PolicySettings : public testing::Test {
  protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        e2e::DeleteKeyTree(policyKey, HKEY_LOCAL_MACHINE);
        e2e::DeleteKeyTree(policyKey);
        e2e::DeleteKeyTree(settingsKey);
    }
};
}  // namespace

// A policy value that does not read (two bytes for a number) leaves the
// user's own value, which is then saved as usual.
TEST_F(PolicySettings, FixedValuesOverrideTheUsersAndAreNeverSaved) {
    ASSERT_TRUE(e2e::WriteString(settingsKey, "Path", "C:\\own.vqd"));
    ASSERT_TRUE(e2e::WriteDword(settingsKey, "Quick play", 0));
    ASSERT_TRUE(e2e::WriteDword(settingsKey, "Auto repeat", 1));
    ASSERT_TRUE(e2e::WriteString(policyKey, "Path", "C:\\computer.vqd", HKEY_LOCAL_MACHINE));
    ASSERT_TRUE(e2e::WriteString(policyKey, "Path", "C:\\user.vqd"));
    ASSERT_TRUE(e2e::WriteDword(policyKey, "Quick play", 1));
    ASSERT_TRUE(e2e::WriteRaw(policyKey, "Auto repeat", REG_BINARY, {0, 0}, HKEY_LOCAL_MACHINE));
    SaverConfigDlg config;
    ASSERT_TRUE(config.LoadSettings());
    EXPECT_EQ(config.recordingPath, "C:\\computer.vqd");
    EXPECT_EQ(config.quickPlay, 1);
    EXPECT_EQ(config.autoRepeat, 1);
    config.recordingPath = "C:\\chosen.vqd";
    config.quickPlay = 0;
    config.autoRepeat = 0;
    ASSERT_TRUE(config.SaveSettings());
    EXPECT_EQ(e2e::ReadString(settingsKey, "Path"), "C:\\own.vqd");
    EXPECT_EQ(e2e::ReadDword(settingsKey, "Quick play"), 0u);
    EXPECT_EQ(e2e::ReadDword(settingsKey, "Auto repeat"), 0u);
}

// On a first run the defaults are written, but not those the policy fixes.
TEST_F(PolicySettings, AFirstRunStoresOnlyWhatThePolicyLeavesOpen) {
    ASSERT_TRUE(e2e::WriteDword(policyKey, "Scale to fit screen", 0, HKEY_LOCAL_MACHINE));
    ASSERT_TRUE(e2e::WriteString(policyKey, "Path", ""));
    SaverConfigDlg config;
    ASSERT_TRUE(config.LoadSettings());
    EXPECT_EQ(config.scaleToFit, 0);
    EXPECT_EQ(e2e::ReadDword(settingsKey, "Auto repeat"), 1u);
    EXPECT_FALSE(e2e::ReadDword(settingsKey, "Scale to fit screen").has_value());
    EXPECT_FALSE(e2e::ReadString(settingsKey, "Path").has_value());
}
