#include "e2e/Registry.h"
#include "saver/SaverConfigDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
const char settingsKey[] = "Software\\Quorvane\\Screen Saver";

std::vector<BYTE> Bytes(const std::string& text, bool terminated = true)
{
    std::vector<BYTE> bytes(text.begin(), text.end());
    if (terminated)
        bytes.push_back(0);
    return bytes;
}

// Settings in the real registry of the Wine prefix; the key starts absent.
class Settings : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(e2e::DeleteKeyTree(settingsKey)); }
    void TearDown() override { e2e::DeleteKeyTree(settingsKey); }

    void ExpectDefaults(const SaverConfigDlg& config)
    {
        EXPECT_EQ(config.recordingPath, "");
        EXPECT_EQ(config.autoRepeat, 1);
        EXPECT_EQ(config.quickPlay, 0);
        EXPECT_EQ(config.drawMouseClicks, 0);
        EXPECT_EQ(config.scaleToFit, 1);
    }
};
} // namespace

TEST_F(Settings, FirstRunCreatesTheKeyWithTheDefaults)
{
    SaverConfigDlg config;
    ASSERT_TRUE(config.LoadSettings());
    ExpectDefaults(config);
    EXPECT_EQ(e2e::ReadString(settingsKey, "Path"), std::string(""));
    EXPECT_EQ(e2e::ReadDword(settingsKey, "Auto repeat"), 1u);
    EXPECT_EQ(e2e::ReadDword(settingsKey, "Quick play"), 0u);
    EXPECT_EQ(e2e::ReadDword(settingsKey, "Draw mouse clicks"), 0u);
    EXPECT_EQ(e2e::ReadDword(settingsKey, "Scale to fit screen"), 1u);
}

TEST_F(Settings, SavedValuesComeBack)
{
    SaverConfigDlg saved;
    saved.recordingPath = "C:\\Recordings\\demo.vqd";
    saved.autoRepeat = 0;
    saved.quickPlay = 1;
    saved.drawMouseClicks = 1;
    saved.scaleToFit = 0;
    ASSERT_TRUE(saved.SaveSettings());
    EXPECT_EQ(e2e::ReadString(settingsKey, "Path"), saved.recordingPath);

    SaverConfigDlg loaded;
    ASSERT_TRUE(loaded.LoadSettings());
    EXPECT_EQ(loaded.recordingPath, saved.recordingPath);
    EXPECT_EQ(loaded.autoRepeat, 0);
    EXPECT_EQ(loaded.quickPlay, 1);
    EXPECT_EQ(loaded.drawMouseClicks, 1);
    EXPECT_EQ(loaded.scaleToFit, 0);
}

TEST_F(Settings, PathOf258CharactersLoadsAndALongerOneLoadsEmpty)
{
    std::string longest(258, 'p');
    ASSERT_TRUE(e2e::WriteString(settingsKey, "Path", longest));
    SaverConfigDlg config;
    ASSERT_TRUE(config.LoadSettings());
    EXPECT_EQ(config.recordingPath, longest);

    ASSERT_TRUE(e2e::WriteString(settingsKey, "Path", longest + "q"));
    config.recordingPath = "previous";
    ASSERT_TRUE(config.LoadSettings());
    EXPECT_EQ(config.recordingPath, "");
}

TEST_F(Settings, MissingValuesKeepTheDefaults)
{
    ASSERT_TRUE(e2e::WriteDword(settingsKey, "Quick play", 1));
    SaverConfigDlg config;
    config.recordingPath = "not read";
    ASSERT_TRUE(config.LoadSettings());
    EXPECT_EQ(config.recordingPath, "") << "a path that cannot be read is empty";
    EXPECT_EQ(config.autoRepeat, 1);
    EXPECT_EQ(config.quickPlay, 1);
    EXPECT_EQ(config.scaleToFit, 1);
    EXPECT_FALSE(e2e::ReadDword(settingsKey, "Auto repeat").has_value()) << "loading writes nothing";
}

TEST_F(Settings, NumbersOfTheWrongSizeKeepTheDefaults)
{
    ASSERT_TRUE(e2e::WriteRaw(settingsKey, "Auto repeat", REG_QWORD, std::vector<BYTE>(8, 0)));
    ASSERT_TRUE(e2e::WriteRaw(settingsKey, "Quick play", REG_BINARY, {1, 0}));
    ASSERT_TRUE(e2e::WriteRaw(settingsKey, "Draw mouse clicks", REG_SZ, Bytes("a long text value")));
    ASSERT_TRUE(e2e::WriteRaw(settingsKey, "Scale to fit screen", REG_BINARY, {}));
    SaverConfigDlg config;
    ASSERT_TRUE(config.LoadSettings());
    ExpectDefaults(config);
}

TEST_F(Settings, StoredTypeIsNotLookedAt)
{
    ASSERT_TRUE(e2e::WriteRaw(settingsKey, "Quick play", REG_BINARY, {1, 0, 0, 0}));
    ASSERT_TRUE(e2e::WriteRaw(settingsKey, "Scale to fit screen", REG_SZ, {0, 0, 0, 0}));
    ASSERT_TRUE(e2e::WriteRaw(settingsKey, "Path", REG_BINARY, Bytes("abcd", false)));
    SaverConfigDlg config;
    ASSERT_TRUE(config.LoadSettings());
    EXPECT_EQ(config.quickPlay, 1);
    EXPECT_EQ(config.scaleToFit, 0);
    EXPECT_EQ(config.recordingPath, "abcd") << "an unterminated path still ends within the buffer";
}

TEST_F(Settings, PathOfAnotherTypeIsReadAsText)
{
    ASSERT_TRUE(e2e::WriteDword(settingsKey, "Path", 0x00434241));
    SaverConfigDlg config;
    ASSERT_TRUE(config.LoadSettings());
    EXPECT_EQ(config.recordingPath, "ABC");
}
