#include "e2e/Registry.h"
#include "saver/SaverConfigDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {
const char settingsKey[] = "Software\\Quorvane\\Screen Saver";
using Values =
    std::tuple<std::string, int, int, int, int>;  // path, repeat, quick play, clicks, scale
const Values defaults{"", 1, 0, 0, 1};

std::vector<BYTE> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// Settings in the real registry of the Wine prefix; the key starts absent.
class Settings : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(e2e::DeleteKeyTree(settingsKey)); }
    void TearDown() override { e2e::DeleteKeyTree(settingsKey); }

    // Loads into an object whose path was something else before (on a first
    // run the object's values are stored, so it starts fresh then).
    Values Loaded(const char* before = "previous") {
        SaverConfigDlg config;
        config.recordingPath = before;
        EXPECT_TRUE(config.LoadSettings());
        return {config.recordingPath, config.autoRepeat, config.quickPlay, config.drawMouseClicks,
                config.scaleToFit};
    }
    static Values Stored() {
        auto number = [](const char* name) {
            return static_cast<int>(e2e::ReadDword(settingsKey, name).value_or(99));
        };
        return {e2e::ReadString(settingsKey, "Path").value_or("missing"), number("Auto repeat"),
                number("Quick play"), number("Draw mouse clicks"), number("Scale to fit screen")};
    }
};
}  // namespace

TEST_F(Settings, FirstRunCreatesTheKeyWithTheDefaultsAndSavedValuesComeBack) {
    EXPECT_EQ(Loaded(""), defaults);
    EXPECT_EQ(Stored(), defaults);

    SaverConfigDlg saved;
    saved.recordingPath = "C:\\Recordings\\demo.vqd";
    saved.autoRepeat = 0;
    saved.quickPlay = 1;
    saved.drawMouseClicks = 1;
    saved.scaleToFit = 0;
    ASSERT_TRUE(saved.SaveSettings());
    const Values chosen{"C:\\Recordings\\demo.vqd", 0, 1, 1, 0};
    EXPECT_EQ(Stored(), chosen);
    EXPECT_EQ(Loaded(), chosen);
}

TEST_F(Settings, PathOf258CharactersLoadsAndALongerOneLoadsEmpty) {
    const std::string longest(258, 'p');
    ASSERT_TRUE(e2e::WriteString(settingsKey, "Path", longest));
    EXPECT_EQ(std::get<0>(Loaded()), longest);
    ASSERT_TRUE(e2e::WriteString(settingsKey, "Path", longest + "q"));
    EXPECT_EQ(std::get<0>(Loaded()), "");
}

TEST_F(Settings, MissingValuesKeepTheDefaultsAndLoadingWritesNothing) {
    ASSERT_TRUE(e2e::WriteDword(settingsKey, "Quick play", 1));
    EXPECT_EQ(Loaded(), (Values{"", 1, 1, 0, 1})) << "a path that cannot be read is empty";
    EXPECT_FALSE(e2e::ReadDword(settingsKey, "Auto repeat").has_value());
}

TEST_F(Settings, NumbersOfTheWrongSizeKeepTheDefaultsAndTheStoredTypeIsNotLookedAt) {
    ASSERT_TRUE(e2e::WriteRaw(settingsKey, "Auto repeat", REG_QWORD, std::vector<BYTE>(8, 0)));
    ASSERT_TRUE(e2e::WriteRaw(settingsKey, "Quick play", REG_BINARY, {1, 0}));
    std::vector<BYTE> text = Bytes("a long text value");
    text.push_back(0);
    ASSERT_TRUE(e2e::WriteRaw(settingsKey, "Draw mouse clicks", REG_SZ, text));
    ASSERT_TRUE(e2e::WriteRaw(settingsKey, "Scale to fit screen", REG_BINARY, {}));
    EXPECT_EQ(Loaded(), defaults);

    ASSERT_TRUE(e2e::WriteRaw(settingsKey, "Quick play", REG_BINARY, {1, 0, 0, 0}));
    ASSERT_TRUE(e2e::WriteRaw(settingsKey, "Scale to fit screen", REG_SZ, {0, 0, 0, 0}));
    ASSERT_TRUE(e2e::WriteRaw(settingsKey, "Path", REG_BINARY, Bytes("abcd")));
    EXPECT_EQ(Loaded(), (Values{"abcd", 1, 1, 0, 0}))
        << "an unterminated path still ends within the buffer";
    ASSERT_TRUE(e2e::WriteDword(settingsKey, "Path", 0x00434241));
    EXPECT_EQ(std::get<0>(Loaded()), "ABC") << "a number read as text";
}

TEST_F(Settings, PlayOnEveryMonitorIsOffWhenAbsentAndIsKeptBesideTheOthers) {
    ASSERT_TRUE(e2e::WriteDword(settingsKey, "Quick play", 0));
    SaverConfigDlg config;
    ASSERT_TRUE(config.LoadSettings());
    EXPECT_EQ(config.playOnEveryMonitor, 0);
    ASSERT_TRUE(e2e::WriteDword(settingsKey, "Play on every monitor", 1));
    ASSERT_TRUE(config.LoadSettings());
    EXPECT_EQ(config.playOnEveryMonitor, 1);
    config.playOnEveryMonitor = 0;
    ASSERT_TRUE(config.SaveSettings());
    EXPECT_EQ(e2e::ReadDword(settingsKey, "Play on every monitor").value_or(99), 0u);
}
