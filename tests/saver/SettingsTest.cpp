// Loading the settings from values of any stored type and size. The first
// run's defaults and what the dialog stores are checked end to end
// (ConfigDialogE2ETest).
#include "e2e/Registry.h"
#include "saver/SaverConfigDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {
const char settingsKey[] = "Software\\Quorvane\\Screen Saver";
// Path, auto repeat, quick play, mouse clicks, scale to fit, every monitor.
using Values = std::tuple<std::string, int, int, int, int, int>;

std::vector<BYTE> Text(const std::string& text, size_t size) {
    std::vector<BYTE> bytes(text.begin(), text.end());
    bytes.resize(size);
    return bytes;
}

Values Loaded() {
    SaverConfigDlg config;
    config.recordingPath = "previous";
    EXPECT_TRUE(config.LoadSettings());
    return {config.recordingPath,   config.autoRepeat, config.quickPlay,
            config.drawMouseClicks, config.scaleToFit, config.playOnEveryMonitor};
}
}  // namespace

TEST(Settings, AValueLoadsWhenItFitsWhateverItsStoredType) {
    const std::string longest(258, 'p');
    const struct {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
        Values loaded;
    } cases[] = {
        {"Path", REG_SZ, Text(longest, 259), {longest, 1, 0, 0, 1, 0}},
        {"Path", REG_SZ, Text(longest + "q", 260), {"", 1, 0, 0, 1, 0}},
        {"Path", REG_BINARY, Text("abcd", 4), {"abcd", 1, 0, 0, 1, 0}},
        {"Path", REG_DWORD, {'A', 'B', 'C', 0}, {"ABC", 1, 0, 0, 1, 0}},
        {"Quick play", REG_BINARY, {1, 0, 0, 0}, {"", 1, 1, 0, 1, 0}},
        {"Scale to fit screen", REG_SZ, {0, 0, 0, 0}, {"", 1, 0, 0, 0, 0}},
        {"Auto repeat", REG_QWORD, std::vector<BYTE>(8, 0), {"", 1, 0, 0, 1, 0}},
        {"Quick play", REG_BINARY, {1, 0}, {"", 1, 0, 0, 1, 0}},
        {"Draw mouse clicks", REG_SZ, Text("a long text value", 18), {"", 1, 0, 0, 1, 0}},
        {"Scale to fit screen", REG_BINARY, {}, {"", 1, 0, 0, 1, 0}},
        {"Play on every monitor", REG_DWORD, {1, 0, 0, 0}, {"", 1, 0, 0, 1, 1}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(e2e::DeleteKeyTree(settingsKey));
        ASSERT_TRUE(e2e::WriteRaw(settingsKey, c.name, c.type, c.data));
        EXPECT_EQ(Loaded(), c.loaded) << c.name << " " << c.data.size();
    }
    EXPECT_FALSE(e2e::ReadString(settingsKey, "Path").has_value()) << "loading writes nothing";
    e2e::DeleteKeyTree(settingsKey);
}
