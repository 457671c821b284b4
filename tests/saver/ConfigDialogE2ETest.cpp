// The real saver's configuration dialog, driven from this program as a user
// would: its settings, its buttons, the file info dialog and the About box.
#include "DescribedRecording.h"
#include "MessageBoxAnswerer.h"
#include "SaverProgram.h"
#include "TestFiles.h"

#include "classlib/MessageBox.h"
#include "e2e/Input.h"
#include "e2e/Registry.h"
#include "e2e/Screenshot.h"
#include "e2e/WindowWait.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

using namespace saver_e2e;

namespace {
const char settingsKey[] = "Software\\Quorvane\\Screen Saver";
const char recorderKey[] = "Software\\Quorvane\\Screen Recorder";
const char productName[] = "Quorvane Screen Saver";

// The stored path and options; missing values read as "missing" and 99.
using Stored = std::tuple<std::string, DWORD, DWORD, DWORD, DWORD>;
Stored StoredSettings() {
    auto number = [](const char* name) { return e2e::ReadDword(settingsKey, name).value_or(99); };
    return {e2e::ReadString(settingsKey, "Path").value_or("missing"), number("Auto repeat"),
            number("Quick play"), number("Draw mouse clicks"), number("Scale to fit screen")};
}

// The folder of the pictures a person looks at after the run.
std::string ScreenshotPath(const std::string& name) {
    const std::string folder = e2e::WindowsPath(QV_SCREENS_DIR);
    CreateDirectoryA(folder.substr(0, folder.rfind('\\')).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\" + name;
}

void Command(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// The pixels of the colour inside a part of a picture, as a rectangle.
RECT AreaOfColour(const e2e::Picture& picture, uint32_t colour, const RECT& part) {
    RECT area = {picture.width, picture.height, 0, 0};
    for (int y = part.top; y < part.bottom && y < picture.height; ++y)
        for (int x = part.left; x < part.right && x < picture.width; ++x)
            if (picture.At(x, y) == colour) {
                area = {std::min<LONG>(area.left, x), std::min<LONG>(area.top, y),
                        std::max<LONG>(area.right, x + 1), std::max<LONG>(area.bottom, y + 1)};
            }
    return area;
}

bool HasColour(HWND window, uint32_t colour, const RECT& part) {
    const RECT found = AreaOfColour(e2e::CaptureWindow(window), colour, part);
    return found.right > found.left;
}

class ConfigDialog : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::DeleteKeyTree(settingsKey));
        ASSERT_TRUE(e2e::DeleteKeyTree(recorderKey, HKEY_LOCAL_MACHINE));
    }
    void TearDown() override {
        e2e::DeleteKeyTree(settingsKey);
        e2e::DeleteKeyTree(recorderKey, HKEY_LOCAL_MACHINE);
    }

    HWND Open(const std::string& arguments = "/c") {
        if (!saver.Start(SaverPath(), arguments))
            return nullptr;
        HWND dialog = WaitForConfigDialog();
        return dialog && e2e::WaitUntilIdle(saver.Handle(), dialog, startTimeoutMs) ? dialog
                                                                                    : nullptr;
    }
    void SetPath(HWND dialog, const std::string& path) {
        SendMessageA(GetDlgItem(dialog, IDC_RECORDING_PATH), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(path.c_str()));
    }
    DWORD ExitCode() { return saver.ExitCodeOrKill(endTimeoutMs); }

    e2e::TestProcess saver;
};
}  // namespace

TEST_F(ConfigDialog, EmptyTailOnFirstRunShowsTheDefaultsWithoutOwnerAndStoresThem) {
    HWND dialog = Open("");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
    EXPECT_EQ(GetDlgItem(dialog, IDCANCEL), nullptr) << "no Cancel button";
    EXPECT_EQ(ControlText(dialog, IDC_RECORDING_PATH), "");
    EXPECT_TRUE(IsChecked(dialog, IDC_AUTO_REPEAT));
    EXPECT_FALSE(IsChecked(dialog, IDC_QUICK_PLAY));
    EXPECT_FALSE(IsChecked(dialog, IDC_DRAW_MOUSE_CLICKS));
    EXPECT_TRUE(IsChecked(dialog, IDC_SCALE_TO_FIT));
    EXPECT_EQ(ControlText(dialog, IDC_SCALE_TO_FIT), "Scale video to fit screen.");
    EXPECT_EQ(StoredSettings(), (Stored{"", 1u, 0u, 0u, 1u}));
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
}

TEST_F(ConfigDialog, ShowsTheStoredSettingsAndOkStoresExactlyTheChosenValues) {
    ASSERT_TRUE(e2e::WriteString(settingsKey, "Path", "C:\\stored.vqd"));
    ASSERT_TRUE(e2e::WriteDword(settingsKey, "Auto repeat", 0));
    ASSERT_TRUE(e2e::WriteDword(settingsKey, "Draw mouse clicks", 1));
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, IDC_RECORDING_PATH), "C:\\stored.vqd");
    EXPECT_FALSE(IsChecked(dialog, IDC_AUTO_REPEAT));
    EXPECT_TRUE(IsChecked(dialog, IDC_DRAW_MOUSE_CLICKS));
    SetPath(dialog, "C:\\recordings\\chosen.vqd");
    for (int box : {IDC_AUTO_REPEAT, IDC_QUICK_PLAY, IDC_DRAW_MOUSE_CLICKS, IDC_SCALE_TO_FIT,
                    IDC_EVERY_MONITOR})
        SendMessageA(GetDlgItem(dialog, box), BM_CLICK, 0, 0);
    ASSERT_TRUE(e2e::WaitUntilIdle(saver.Handle(), dialog, startTimeoutMs));
    EXPECT_TRUE(e2e::SavePng(e2e::CaptureWindow(dialog), ScreenshotPath("config-dialog.png")));
    Command(dialog, IDOK);
    EXPECT_EQ(ExitCode(), 0u);
    EXPECT_EQ(StoredSettings(), (Stored{"C:\\recordings\\chosen.vqd", 1u, 1u, 0u, 0u}));
    EXPECT_EQ(e2e::ReadDword(settingsKey, "Play on every monitor").value_or(99), 1u);
}

TEST_F(ConfigDialog, CancelStoresNothingAndLeavesTheOwnerOpen) {
    HWND owner = MakeTestWindow("Owner");
    HWND dialog = Open("/c:" + HandleText(owner));
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(GetWindow(dialog, GW_OWNER), owner);
    const Stored before = StoredSettings();
    SendMessageA(GetDlgItem(dialog, IDC_QUICK_PLAY), BM_CLICK, 0, 0);
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
    e2e::PumpMessages();
    EXPECT_TRUE(IsWindow(owner)) << "another program's window is not asked to close";
    EXPECT_EQ(StoredSettings(), before);
    DestroyWindow(owner);
}

TEST_F(ConfigDialog, EscAfterBrowsingLeavesTheRegistryUnchanged) {
    const std::string chosen = TempPath("browsed.vqd");
    std::ofstream(chosen) << "recording";
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    const Stored before = StoredSettings();
    Command(dialog, IDC_BROWSE);
    HWND chooser = e2e::WaitForWindow("#32770", "Open", startTimeoutMs);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(GetWindow(chooser, GW_OWNER), dialog);
    HWND name =
        GetDlgItem(chooser, 0x47c) ? GetDlgItem(chooser, 0x47c) : GetDlgItem(chooser, 0x480);
    ASSERT_NE(name, nullptr);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
    Command(chooser, IDOK);
    ASSERT_TRUE(e2e::WaitUntil([&] { return ControlText(dialog, IDC_RECORDING_PATH) == chosen; },
                               startTimeoutMs))
        << ControlText(dialog, IDC_RECORDING_PATH);
    ASSERT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == dialog; }, startTimeoutMs));
    e2e::PressKeyAndRelease(VK_ESCAPE);
    EXPECT_EQ(ExitCode(), 0u);
    EXPECT_EQ(StoredSettings(), before);
}

TEST_F(ConfigDialog, FileInfoOpensOnAMissingFileAndShowsARecordingsHeader) {
    const std::string path = TempPath("described.vqd");
    vqd::RecordingInfo described;
    described.frameRate = 10;
    described.title = "Morning demo";
    described.author = "Test author";
    described.description = "A short recording made by the encoder.";
    ASSERT_TRUE(WriteDescribedRecording(path, described, 27000));
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    auto showInfo = [&](const std::string& recording) {
        SetPath(dialog, recording);
        Command(dialog, IDC_FILE_INFO);
        return e2e::WaitForWindow("#32770", "File info", startTimeoutMs);
    };
    HWND info = showInfo("C:\\no such folder\\missing.vqd");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(ControlText(info, IDC_INFO_TITLE), "");
    EXPECT_EQ(ControlText(info, IDC_INFO_LENGTH), "00:00:00");
    Command(info, IDCANCEL);
    ASSERT_TRUE(e2e::WaitForWindowGone(info, endTimeoutMs));

    info = showInfo(path);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(ControlText(info, IDC_INFO_TITLE), "Morning demo");
    EXPECT_EQ(ControlText(info, IDC_INFO_AUTHOR), "Test author");
    EXPECT_EQ(ControlText(info, IDC_INFO_DESCRIPTION), "A short recording made by the encoder.");
    EXPECT_EQ(ControlText(info, IDC_INFO_LENGTH), "00:00:27");
    EXPECT_EQ(ControlText(info, IDC_INFO_RATE), "10 frames/sec");
    EXPECT_EQ(GetWindow(info, GW_OWNER), dialog);
    EXPECT_FALSE(IsWindowEnabled(dialog)) << "the configuration dialog waits for it";
    EXPECT_EQ(GetWindowLongA(info, GWL_EXSTYLE) & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW),
              WS_EX_TOOLWINDOW);
    // The picture for a person: every control painted before it is taken.
    RedrawWindow(info, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ASSERT_TRUE(e2e::WaitUntilIdle(saver.Handle(), info, startTimeoutMs));
    EXPECT_TRUE(e2e::SavePng(e2e::CaptureWindow(info), ScreenshotPath("file-info-dialog.png")));
    Command(info, IDOK);
    EXPECT_TRUE(e2e::WaitForWindowGone(info, endTimeoutMs));
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
    EXPECT_EQ(std::get<0>(StoredSettings()), "") << "the typed path is not saved";
}

TEST_F(ConfigDialog, AboutBoxFollowsTheMouseOverItsLinkAndClosesOnAClickElsewhere) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    e2e::MoveCursorTo(0, 0);
    Command(dialog, IDC_ABOUT);
    HWND about = e2e::WaitForWindow("#32770", "", startTimeoutMs);  // the dialog without title
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(e2e::WaitUntilIdle(saver.Handle(), about, startTimeoutMs));
    RECT client = {};
    GetClientRect(about, &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_EQ(GetWindow(about, GW_OWNER), dialog);
    // Idle is not painted: the box may still be drawing its picture when its thread waits.
    const RECT bottomLine = {0, 185, 400, 200};
    ASSERT_TRUE(
        e2e::WaitUntil([&] { return HasColour(about, 0x0000FF, bottomLine); }, startTimeoutMs))
        << "the link is blue";
    const e2e::Picture shown = e2e::CaptureWindow(about);
    EXPECT_TRUE(e2e::SavePng(shown, ScreenshotPath("about-box.png")));

    const RECT link = AreaOfColour(shown, 0x0000FF, bottomLine);

    POINT onLink = {(link.left + link.right) / 2, (link.top + link.bottom) / 2};
    ClientToScreen(about, &onLink);
    e2e::MoveCursorTo(onLink.x, onLink.y);
    EXPECT_TRUE(e2e::WaitUntil([&] { return HasColour(about, 0xFF0000, link); }, startTimeoutMs))
        << "the hovered link turns red";
    POINT offLink = {60, 120};
    ClientToScreen(about, &offLink);
    e2e::MoveCursorTo(offLink.x, offLink.y);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !HasColour(about, 0xFF0000, link); }, startTimeoutMs))
        << "and blue again when the mouse leaves it";

    e2e::PressButton(e2e::MouseButton::Left);
    e2e::ReleaseButton(e2e::MouseButton::Left);
    EXPECT_TRUE(e2e::WaitForWindowGone(about, endTimeoutMs))
        << "a click outside the link closes the box";
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
}

TEST_F(ConfigDialog, NewOffersTheWebSiteWithoutTheRecorderAndStartsARegisteredOneAndCloses) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    {
        MessageBoxAnswerer user(productName, {{LoadResourceString(IDS_RECORDER_MISSING), IDNO}},
                                saver.Id());
        Command(dialog, IDC_NEW_RECORDING);
        ASSERT_TRUE(e2e::WaitUntil([&] { return user.Texts().size() == 1; }, startTimeoutMs));
        EXPECT_EQ(user.Texts()[0], LoadResourceString(IDS_RECORDER_MISSING));
        ASSERT_TRUE(e2e::WaitUntilIdle(saver.Handle(), dialog, startTimeoutMs));
        EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays open";
    }

    const std::string recorder = e2e::WindowsPath(QV_TEST_RECORDER_PATH);
    const std::string marker = recorder + ".ran";
    DeleteFileA(marker.c_str());
    ASSERT_TRUE(e2e::WriteString(recorderKey, "", recorder.substr(0, recorder.rfind('\\')),
                                 HKEY_LOCAL_MACHINE));
    const Stored before = StoredSettings();
    SendMessageA(GetDlgItem(dialog, IDC_QUICK_PLAY), BM_CLICK, 0, 0);
    Command(dialog, IDC_NEW_RECORDING);
    EXPECT_EQ(ExitCode(), 0u);
    EXPECT_TRUE(e2e::WaitUntil(
        [&] { return GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; },
        endTimeoutMs))
        << "the recorder ran";
    EXPECT_EQ(StoredSettings(), before) << "nothing is saved";
    DeleteFileA(marker.c_str());
}
