// The pieces of the configuration dialog that work without a window: loading
// the settings, the recording's length and rate texts, the file filter and the
// recorder's path. The dialog itself, the first run's defaults and what it
// stores are driven end to end (SaverE2ETest).
#include "e2e/Registry.h"
#include "recording/ExeRecordingFile.h"
#include "saver/RecorderPath.h"
#include "saver/RecordingFilter.h"
#include "saver/RecordingInfoText.h"
#include "saver/SaverConfigDlg.h"
#include "upgrade/FormatString.h"

#include <aclapi.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

TEST(InfoTexts, LengthAndRate) {
    const uint32_t day = 86400;
    const std::pair<uint32_t, const char*> lengths[] = {{day - 1, "23:59:59"},
                                                        {day + 3600 + 60 + 1, "1 days 01:01:01"},
                                                        {0xFFFFFFFFu, "49710 days 06:28:15"}};
    for (const auto& [seconds, text] : lengths)
        EXPECT_EQ(RecordLengthText(seconds), text) << seconds;
    EXPECT_EQ(FrameRateText(-1), "-1 frames/sec");
}

// The text of the message the saver shows (its version texts are read by the
// upgrade check end to end: SaverUpgradeE2ETest).
TEST(FormatString, FormatsLikePrintfAndCutsAtTheLastAllowance) {
    std::string text;
    FormatString(text, "%s", std::string(43008, 'x').c_str());
    EXPECT_EQ(text, std::string(43008, 'x'));
    FormatString(text, "%s!", std::string(50000, 'z').c_str());
    EXPECT_EQ(text, std::string(43008, 'z'));
}

TEST(BrowseFilter, AllFilesThenEveryReaderInOrder) {
    RecordingFile vqd;
    ExeRecordingFile exe;
    EXPECT_EQ(RecordingFileFilter({&vqd, &exe}),
              "All Files (*.*)|*.*|VQD file (.vqd)|*.vqd|EXE file (.exe)|*.exe||");
    EXPECT_EQ(RecordingFileFilter({}), "All Files (*.*)|*.*||");
}

// The registered folder, else this program's own (also when the registered
// one is longer than the read limit), plus the recorder's name.
TEST(RecorderProgram, RegisteredFolderElseTheProgramsOwnPlusTheName) {
    const char recorderKey[] = "Software\\Quorvane\\Screen Recorder";
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string own = std::string(path).substr(0, std::string(path).rfind('\\') + 1);
    EXPECT_EQ(RecorderProgramPath("C:\\Recorder\\"), "C:\\Recorder\\grabora.exe");
    ASSERT_TRUE(e2e::DeleteKeyTree(recorderKey, HKEY_LOCAL_MACHINE));
    EXPECT_EQ(RecorderFolder(), own) << "no key";
    const std::pair<std::string, std::string> registered[] = {
        {"D:\\Recorder", "D:\\Recorder\\grabora.exe"},
        {"", "grabora.exe"},
        {"C:\\" + std::string(300, 'r'), own + "grabora.exe"}};
    for (const auto& [folder, program] : registered) {
        ASSERT_TRUE(e2e::WriteString(recorderKey, "", folder, HKEY_LOCAL_MACHINE));
        EXPECT_EQ(RecorderProgramPath(RecorderFolder()), program) << folder;
    }
    e2e::DeleteKeyTree(recorderKey, HKEY_LOCAL_MACHINE);
}

namespace {
// Gives everyone only the access of the mask to the key (Wine checks it,
// though it runs every program as an administrator); false when refused.
bool AllowOnly(const char* keyName, DWORD mask) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName, 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return false;
    EXPLICIT_ACCESSA everyone = {};
    everyone.grfAccessPermissions = mask;
    everyone.grfAccessMode = SET_ACCESS;
    everyone.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    everyone.Trustee.ptstrName = const_cast<char*>("EVERYONE");
    PACL acl = nullptr;
    SECURITY_DESCRIPTOR descriptor;
    const bool set =
        SetEntriesInAclA(1, &everyone, nullptr, &acl) == ERROR_SUCCESS &&
        InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
        SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                          &descriptor) == ERROR_SUCCESS;
    LocalFree(acl);
    RegCloseKey(key);
    return set;
}
}  // namespace

// An installation writes the key for every user, who may only read it.
TEST(RecorderProgram, AKeyTheUserMayOnlyReadStillNamesTheFolder) {
    const char recorderKey[] = "Software\\Quorvane\\Screen Recorder";
    ASSERT_TRUE(e2e::WriteString(recorderKey, "", "D:\\Installed", HKEY_LOCAL_MACHINE));
    ASSERT_TRUE(AllowOnly(recorderKey, KEY_READ | WRITE_DAC));
    HKEY probe = nullptr;
    ASSERT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, recorderKey, 0, KEY_WRITE, &probe), ERROR_SUCCESS)
        << "the key refuses writing";
    EXPECT_EQ(RecorderFolder(), "D:\\Installed");
    ASSERT_TRUE(AllowOnly(recorderKey, KEY_ALL_ACCESS));
    e2e::DeleteKeyTree(recorderKey, HKEY_LOCAL_MACHINE);
}

namespace {
const char settingsKey[] = "Software\\Quorvane\\Screen Saver";

std::vector<BYTE> Text(const std::string& text, size_t size) {
    std::vector<BYTE> bytes(text.begin(), text.end());
    bytes.resize(size);
    return bytes;
}
}  // namespace

// A path loads when it fits in 259 bytes, a number when exactly four bytes
// are stored; anything else leaves the defaults ("", 1, 0, 0, 1, 0).
TEST(Settings, AValueLoadsWhenItFitsWhateverItsStoredType) {
    const std::string longest(258, 'p');
    using Values = std::tuple<std::string, int, int, int, int, int>;
    const struct {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
        Values loaded;
    } cases[] = {
        {"Path", REG_SZ, Text(longest, 259), {longest, 1, 0, 0, 1, 0}},
        {"Path", REG_SZ, Text(longest + "q", 260), {"", 1, 0, 0, 1, 0}},
        {"Path", REG_DWORD, {'A', 'B', 'C', 0}, {"ABC", 1, 0, 0, 1, 0}},
        {"Quick play", REG_BINARY, {1, 0, 0, 0}, {"", 1, 1, 0, 1, 0}},
        {"Auto repeat", REG_QWORD, std::vector<BYTE>(8, 0), {"", 1, 0, 0, 1, 0}},
        {"Quick play", REG_BINARY, {1, 0}, {"", 1, 0, 0, 1, 0}},
        {"Play on every monitor", REG_DWORD, {1, 0, 0, 0}, {"", 1, 0, 0, 1, 1}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(e2e::DeleteKeyTree(settingsKey));
        ASSERT_TRUE(e2e::WriteRaw(settingsKey, c.name, c.type, c.data));
        SaverConfigDlg config;
        config.recordingPath = "previous";
        EXPECT_TRUE(config.LoadSettings());
        EXPECT_EQ(Values(config.recordingPath, config.autoRepeat, config.quickPlay,
                         config.drawMouseClicks, config.scaleToFit, config.playOnEveryMonitor),
                  c.loaded)
            << c.name << " " << c.data.size();
    }
    EXPECT_FALSE(e2e::ReadString(settingsKey, "Path").has_value()) << "loading writes nothing";
    e2e::DeleteKeyTree(settingsKey);
}
