// The built saver on the Wine display, driven from this program with real
// input as a user would: its modes, the Windows 98 password change with a
// stand-in library, and the configuration dialog with its buttons, the file
// info dialog and the About box. The rules that end the saver are checked
// message by message in SaverFrameworkTest; what it shows, in PlaybackE2ETest;
// the dialogs at a high DPI, with pictures of them, in DialogDpiE2ETest.
#include "FrameUpdateBuilder.h"
#include "MessageBoxAnswerer.h"
#include "SaverProgram.h"
#include "TestFiles.h"
#include "fakes/FakeRecord.h"

#include "classlib/MessageBox.h"
#include "e2e/Input.h"
#include "e2e/Registry.h"
#include "e2e/WindowWait.h"
#include "recording/RecordingEncoder.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using namespace saver_e2e;

namespace {
std::string HandleText(HWND window) {
    return std::to_string(reinterpret_cast<uintptr_t>(window));
}

// The full-screen saver once it waits for input in the foreground.
HWND StartReady(e2e::TestProcess& saver, const std::string& program = SaverPath()) {
    HWND window = StartFullScreen(saver, program);
    return window && WaitUntilReady(saver, window) ? window : nullptr;
}

// Exit code of a run that must end by itself.
DWORD RunToEnd(const std::string& program, const std::string& arguments) {
    e2e::TestProcess process;
    return process.Start(program, arguments) ? process.ExitCodeOrKill(timeoutMs)
                                             : e2e::TestProcess::killedExitCode;
}
}  // namespace

// In preview none of the dismissal rules apply; the saver ends with its parent.
TEST(Modes, PreviewBecomesAChildOfTheGivenWindowAndIgnoresInput) {
    for (const char* form : {"/p ", "/l ", "-P", "l  "}) {
        SCOPED_TRACE(form);
        HWND parent = e2e::MakeWindow();
        e2e::TestProcess saver;
        ASSERT_TRUE(saver.Start(SaverPath(), form + HandleText(parent)));
        HWND preview = e2e::WaitForWindow("WindowsScreenSaverClass", "Preview", timeoutMs, parent);
        ASSERT_NE(preview, nullptr);
        EXPECT_TRUE(GetWindowLongA(preview, GWL_STYLE) & WS_CHILD);
        RECT parentClient = {}, previewClient = {};
        GetClientRect(parent, &parentClient);
        GetClientRect(preview, &previewClient);
        EXPECT_TRUE(EqualRect(&previewClient, &parentClient));
        e2e::MoveCursorTo(100, 100);
        e2e::MoveCursorTo(200, 150);
        ASSERT_TRUE(e2e::WaitUntilIdle(saver.Handle(), preview, timeoutMs));
        EXPECT_TRUE(IsWindow(preview));
        DestroyWindow(parent);
        EXPECT_EQ(saver.ExitCodeOrKill(timeoutMs), 0u);
    }
}

// A second start only brings the first forward.
TEST(Modes, FullScreenCoversTheScreenOnTopAndASecondStartBringsItForward) {
    e2e::MoveCursorTo(512, 384);
    e2e::TestProcess first;
    HWND window = StartReady(first);
    ASSERT_NE(window, nullptr);
    RECT area = {}, screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    GetWindowRect(window, &area);
    EXPECT_TRUE(EqualRect(&area, &screen));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(RunToEnd(SaverPath(), "/s"), 0u);
    EXPECT_TRUE(first.IsRunning());
    EXPECT_TRUE(WaitUntilReady(first, window)) << "in the foreground";
    e2e::PressKeyAndRelease(VK_SPACE);
    EXPECT_EQ(ExitCodeAfterWindowGone(first, window), 0u);
}

// Wine runs a copy of the saver as Windows 98, with a stand-in MPR.DLL next to
// it that records into the registry; Wine has an MPR.DLL of its own, the one in
// the program's folder is to be used.
TEST(Windows98, PasswordChangeGoesToTheProvider) {
    const std::string settings = "Software\\Wine\\AppDefaults\\Win98Saver.scr";
    ASSERT_TRUE(e2e::WriteString(settings, "Version", "win98"));
    ASSERT_TRUE(e2e::WriteString(settings + "\\DllOverrides", "mpr", "native"));
    ASSERT_TRUE(e2e::DeleteKeyTree(QV_FAKE_RECORD_KEY));
    HWND owner = e2e::MakeWindow();
    EXPECT_EQ(RunToEnd(e2e::WindowsPath(QV_WIN98_SAVER_PATH), "/a " + HandleText(owner)), 0u);
    EXPECT_EQ(e2e::ReadString(QV_FAKE_RECORD_KEY, "ChangeProvider"), std::string("SCRSAVE"));
    EXPECT_EQ(e2e::ReadString(QV_FAKE_RECORD_KEY, "ChangeOwner"), HandleText(owner));
    DestroyWindow(owner);
    e2e::DeleteKeyTree(QV_FAKE_RECORD_KEY);
}

namespace {
const char settingsKey[] = "Software\\Quorvane\\Screen Saver";
const char recorderKey[] = "Software\\Quorvane\\Screen Recorder";
const char policyKey[] = "Software\\Policies\\Quorvane\\Screen Saver";
const std::pair<int, const char*> boxes[] = {{IDC_AUTO_REPEAT, "Auto repeat"},
                                             {IDC_QUICK_PLAY, "Quick play"},
                                             {IDC_DRAW_MOUSE_CLICKS, "Draw mouse clicks"},
                                             {IDC_SCALE_TO_FIT, "Scale to fit screen"},
                                             {IDC_EVERY_MONITOR, "Play on every monitor"},
                                             {IDC_SHUFFLE, "Shuffle"}};

// The path and the options in the order of boxes, as stored (missing values
// read as "missing" and 99) or as the dialog shows them.
using Settings = std::pair<std::string, std::vector<DWORD>>;
Settings Stored() {
    Settings stored{e2e::ReadString(settingsKey, "Path").value_or("missing"), {}};
    for (const auto& [id, name] : boxes)
        stored.second.push_back(e2e::ReadDword(settingsKey, name).value_or(99));
    return stored;
}

Settings Shown(HWND dialog) {
    Settings shown{e2e::ControlText(dialog, IDC_RECORDING_PATH), {}};
    for (const auto& [id, name] : boxes)
        shown.second.push_back(SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED);
    return shown;
}

// A recording of two 16 x 16 frames `seconds` apart.
void WriteRecording(const std::string& path, const vqd::RecordingInfo& info, uint32_t seconds) {
    const Bytes bitmapInfo = BitmapInfo(16, -16, 32);
    vqd::RecordingEncoder encoder;
    ASSERT_TRUE(encoder.Create(path.c_str(), info));
    for (uint32_t time : {0u, seconds * 1000}) {
        const Bytes pixels(16 * 16 * 4, time ? 0xC0 : 0x20);
        ASSERT_TRUE(encoder.AddFrame(
            {bitmapInfo.data(), pixels.data(), {0, 0, 16, 16}, {1, 1}, 0, 0}, time));
    }
    ASSERT_TRUE(encoder.Finish());
}

// Waits for the recorder's window and closes it; false when none appears.
bool CloseRecorderWindow() {
    HWND window = e2e::WaitForWindow("#32770", "Quorvane Screen Recorder", timeoutMs);
    if (!window)
        return false;
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return e2e::WaitForWindowGone(window, timeoutMs);
}

class ConfigDialog : public testing::Test {
  protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        e2e::DeleteKeyTree(settingsKey);
        e2e::DeleteKeyTree(recorderKey, HKEY_LOCAL_MACHINE);
        e2e::DeleteKeyTree(policyKey, HKEY_LOCAL_MACHINE);
        e2e::DeleteKeyTree(policyKey);
    }
    HWND Open(const std::string& arguments = "/c") {
        HWND dialog = saver.Start(SaverPath(), arguments) ? WaitForConfigDialog() : nullptr;
        return dialog && e2e::WaitUntilIdle(saver.Handle(), dialog, timeoutMs) ? dialog : nullptr;
    }
    void SetPath(HWND dialog, const std::string& path) {
        SendDlgItemMessageA(dialog, IDC_RECORDING_PATH, WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(path.c_str()));
    }
    // The file info dialog's fields for the path, each followed by '|'; the
    // dialog is owned by the configuration dialog, which waits for it.
    std::string FileInfo(HWND dialog, const std::string& path) {
        SetPath(dialog, path);
        e2e::Click(dialog, IDC_FILE_INFO);
        HWND info = e2e::WaitForWindow("#32770", "File info", timeoutMs);
        if (!info || !e2e::WaitUntilIdle(saver.Handle(), info, timeoutMs))
            return "no file info dialog";
        std::string shown;
        for (int id : {IDC_INFO_TITLE, IDC_INFO_AUTHOR, IDC_INFO_DESCRIPTION, IDC_INFO_LENGTH,
                       IDC_INFO_RATE})
            shown += e2e::ControlText(info, id) + "|";
        EXPECT_EQ(GetWindow(info, GW_OWNER), dialog);
        EXPECT_FALSE(IsWindowEnabled(dialog)) << "the configuration dialog waits for it";
        EXPECT_EQ(GetWindowLongA(info, GWL_EXSTYLE) & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW),
                  WS_EX_TOOLWINDOW);
        e2e::Click(info, IDOK);
        EXPECT_TRUE(e2e::WaitForWindowGone(info, timeoutMs));
        return shown;
    }

    e2e::TestProcess saver;
};
}  // namespace

TEST_F(ConfigDialog, FirstRunStoresTheDefaultsAndOkStoresExactlyTheChosenValuesShownNextTime) {
    HWND dialog = Open("");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetDlgItem(dialog, IDCANCEL), nullptr) << "no Cancel button";
    const Settings defaults{"", {1, 0, 0, 1, 0, 0}};
    EXPECT_EQ(Shown(dialog), defaults);
    EXPECT_EQ(Stored(), defaults);
    SetPath(dialog, "C:\\recordings\\chosen.vqd");
    for (const auto& [id, name] : boxes)
        SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
    e2e::Click(dialog, IDOK);
    EXPECT_EQ(saver.ExitCodeOrKill(timeoutMs), 0u);
    const Settings chosen{"C:\\recordings\\chosen.vqd", {0, 1, 1, 0, 1, 1}};
    EXPECT_EQ(Stored(), chosen);
    dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Shown(dialog), chosen);
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
}

// What the computer's and the user's policy fix shows disabled with the fixed
// value; OK stores the rest as chosen and leaves the fixed values as they were.
TEST_F(ConfigDialog, FixedSettingsShowDisabledAndOkLeavesThemAsStored) {
    ASSERT_TRUE(e2e::WriteString(policyKey, "Path", "C:\\fixed.vqd", HKEY_LOCAL_MACHINE));
    ASSERT_TRUE(e2e::WriteDword(policyKey, "Quick play", 1));
    ASSERT_TRUE(e2e::WriteDword(policyKey, "Scale to fit screen", 0, HKEY_LOCAL_MACHINE));
    ASSERT_TRUE(e2e::WriteDword(settingsKey, "Quick play", 0));
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Shown(dialog), Settings("C:\\fixed.vqd", {1, 1, 0, 0, 0, 0}));
    const auto enabled = [&](int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; };
    for (int id : {IDC_RECORDING_PATH, IDC_BROWSE, IDC_BROWSE_FOLDER})
        EXPECT_FALSE(enabled(id)) << id;
    for (const auto& [id, name] : boxes)
        EXPECT_EQ(enabled(id), id != IDC_QUICK_PLAY && id != IDC_SCALE_TO_FIT) << name;
    for (int id : {IDC_AUTO_REPEAT, IDC_DRAW_MOUSE_CLICKS})
        SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
    e2e::Click(dialog, IDOK);
    EXPECT_EQ(saver.ExitCodeOrKill(timeoutMs), 0u);
    EXPECT_EQ(Stored(), Settings("missing", {0, 0, 1, 99, 0, 0}));
}

// Esc after a change and a file chosen with Browse; the owner is another
// program's window, which is not asked to close.
TEST_F(ConfigDialog, EscAfterBrowsingStoresNothingAndLeavesTheOwnerOpen) {
    const std::string chosen = TempPath("browsed.vqd");
    std::ofstream(chosen) << "recording";
    HWND owner = e2e::MakeWindow();
    HWND dialog = Open("/c:" + HandleText(owner));
    ASSERT_NE(dialog, nullptr);
    const Settings before = Stored();
    SendDlgItemMessageA(dialog, IDC_QUICK_PLAY, BM_CLICK, 0, 0);
    SendDlgItemMessageA(dialog, IDC_SHUFFLE, BM_CLICK, 0, 0);
    e2e::Click(dialog, IDC_BROWSE);
    HWND chooser = e2e::WaitForWindow("#32770", "Open", timeoutMs);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(GetWindow(chooser, GW_OWNER), dialog);
    HWND name =
        GetDlgItem(chooser, 0x47c) ? GetDlgItem(chooser, 0x47c) : GetDlgItem(chooser, 0x480);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
    e2e::Click(chooser, IDOK);
    ASSERT_TRUE(e2e::WaitUntil(
        [&] { return e2e::ControlText(dialog, IDC_RECORDING_PATH) == chosen; }, timeoutMs))
        << e2e::ControlText(dialog, IDC_RECORDING_PATH);
    // The display's focus follows the closed chooser late: Esc until the dialog hears it.
    EXPECT_TRUE(e2e::WaitUntil(
        [&] {
            e2e::PressKeyAndRelease(VK_ESCAPE);
            return WaitForSingleObject(saver.Handle(), 300) == WAIT_OBJECT_0;
        },
        timeoutMs));
    EXPECT_EQ(saver.ExitCodeOrKill(timeoutMs), 0u);
    EXPECT_EQ(Stored(), before);
    e2e::PumpMessages();
    EXPECT_TRUE(IsWindow(owner));
    DestroyWindow(owner);
}

// A missing file shows no header; a recording of two frames 27 s apart shows
// its own. "Folder..." opens the shell's folder browser and puts the chosen
// folder in the edit box; File Info on a folder counts its recordings and adds
// up their lengths, with the first one's frame rate.
TEST_F(ConfigDialog, FileInfoShowsARecordingsHeaderAndSumsAFoldersRecordings) {
    const std::string path = TempPath("described.vqd"), folder = TempPath("infofolder");
    WriteRecording(path, {10, 50, "Morning demo", "Test author", "A short recording."}, 27);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const auto& [name, rate, seconds] :
         {std::tuple{"clip 2.vqd", 12u, 20u}, {"clip 10.vqd", 10u, 3u}, {"clip 1.vqd", 15u, 41u}})
        WriteRecording(folder + "\\" + name, {rate, 50, "", "", ""}, seconds);
    std::ofstream(folder + "\\readme.txt") << "not a recording";

    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(FileInfo(dialog, "C:\\no such folder\\missing.vqd"), "|||00:00:00|0 frames/sec|");
    EXPECT_EQ(FileInfo(dialog, path),
              "Morning demo|Test author|A short recording.|00:00:27|10 frames/sec|");
    EXPECT_EQ(FileInfo(dialog, folder), "infofolder||3 recordings|00:01:04|15 frames/sec|");

    SetPath(dialog, folder + "\\clip 1.vqd");
    e2e::Click(dialog, IDC_BROWSE_FOLDER);
    HWND chooser = e2e::WaitForWindow("#32770", "Browse for Folder", timeoutMs);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(GetWindow(chooser, GW_OWNER), dialog);
    // Wine's browser does not always take the folder it is to start at, so
    // what it gives back is only known to be a folder.
    e2e::Click(chooser, IDOK);
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            const DWORD kind =
                GetFileAttributesA(e2e::ControlText(dialog, IDC_RECORDING_PATH).c_str());
            return kind != INVALID_FILE_ATTRIBUTES && (kind & FILE_ATTRIBUTE_DIRECTORY);
        },
        timeoutMs))
        << e2e::ControlText(dialog, IDC_RECORDING_PATH);
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
    EXPECT_EQ(Stored().first, "") << "the typed path is not saved";
}

// Without the recorder the web site is offered (declined here); a registered
// recorder is started and the dialog closes without saving. Where the recorder
// is looked for without a key is checked in-process (ConfigDialogPartsTest).
TEST_F(ConfigDialog, NewOffersTheWebSiteWithoutTheRecorderAndStartsARegisteredOneAndCloses) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    {
        const std::string missing = LoadResourceString(IDS_RECORDER_MISSING);
        MessageBoxAnswerer user("Quorvane Screen Saver", {{missing, IDNO}}, saver.Id());
        e2e::Click(dialog, IDC_NEW_RECORDING);
        ASSERT_TRUE(e2e::WaitUntil([&] { return user.Texts().size() == 1; }, timeoutMs));
        ASSERT_TRUE(e2e::WaitUntilIdle(saver.Handle(), dialog, timeoutMs));
        EXPECT_TRUE(IsWindow(dialog));
    }
    const std::string recorder = e2e::WindowsPath(QV_RECORDER_PATH);
    ASSERT_TRUE(e2e::WriteString(recorderKey, "", recorder.substr(0, recorder.rfind('\\')),
                                 HKEY_LOCAL_MACHINE));
    const Settings before = Stored();
    SendDlgItemMessageA(dialog, IDC_QUICK_PLAY, BM_CLICK, 0, 0);
    e2e::Click(dialog, IDC_NEW_RECORDING);
    EXPECT_EQ(saver.ExitCodeOrKill(timeoutMs), 0u);
    EXPECT_TRUE(CloseRecorderWindow()) << "the registered recorder ran";
    EXPECT_EQ(Stored(), before) << "nothing is saved";
}
