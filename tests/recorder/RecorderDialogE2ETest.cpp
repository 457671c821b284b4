// The recorder's window driven as a user would: a refused rate, Record hiding
// the window, the hot key stopping, the recording chosen for the saver and
// played by it, and the choices shown again at the next start.
#include <gtest/gtest.h>

#include <string>

#include "MessageBoxAnswerer.h"
#include "RecorderRun.h"
#include "TestFiles.h"
#include "e2e/Registry.h"
#include "e2e/WindowWait.h"
#include "recorder/RecorderResourceIds.h"
#include "recording/RecordingFile.h"

using namespace recorder_e2e;

namespace {
const char kCaption[] = "Quorvane Screen Recorder";
const char kRecorderKey[] = "Software\\Quorvane\\Screen Recorder";
const char kSaverKey[] = "Software\\Quorvane\\Screen Saver";

void SetText(HWND dialog, int id, const std::string& text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
// Ctrl+Shift+F9 pressed and released.
void PressStopKey() {
    const WORD keys[] = {VK_CONTROL, VK_SHIFT, VK_F9};
    INPUT inputs[6] = {};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = inputs[5 - i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = inputs[5 - i].ki.wVk = keys[i];
        inputs[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(6, inputs, sizeof inputs[0]);
}
// The recorder beside the saver, as an installation puts them.
std::string InstalledRecorder() {
    const std::string folder = TempPath("installed");
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA(e2e::WindowsPath(QV_SAVER_PATH).c_str(), (folder + "\\QuorvaneSaver.scr").c_str(),
              FALSE);
    CopyFileA(RecorderPath().c_str(), (folder + "\\grabora.exe").c_str(), FALSE);
    return folder + "\\grabora.exe";
}

HWND OpenWindow(e2e::TestProcess& recorder) {
    static const std::string program = InstalledRecorder();
    if (!recorder.Start(program, ""))
        return nullptr;
    HWND window = e2e::WaitForWindow("#32770", kCaption, timeoutMs);
    return window && e2e::WaitUntilIdle(recorder.Handle(), window, timeoutMs) ? window : nullptr;
}
}  // namespace

TEST(RecorderWindow, RecordsUntilTheHotKeyHandsTheFileToTheSaverAndRemembersTheChoices) {
    ASSERT_TRUE(e2e::DeleteKeyTree(kRecorderKey));
    ASSERT_TRUE(e2e::DeleteKeyTree(kSaverKey));
    const std::string path = TempPath("window.vqd");
    e2e::TestProcess recorder;
    HWND window = OpenWindow(recorder);
    ASSERT_NE(window, nullptr);
    for (int id : {IDC_WHOLE_SCREEN, IDC_RECORD_POINTER, IDC_RECORD_CLICKS})
        EXPECT_EQ(SendDlgItemMessageA(window, id, BM_GETCHECK, 0, 0), BST_CHECKED) << id;
    EXPECT_EQ(e2e::ControlText(window, IDC_FRAMES_PER_SECOND), "10");
    EXPECT_NE(e2e::ControlText(window, IDC_STATUS).find("Ctrl+Shift+F9"), std::string::npos)
        << e2e::ControlText(window, IDC_STATUS);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_USE_AS_SAVER)));

    SetText(window, IDC_OUTPUT_FILE, path);
    SetText(window, IDC_TITLE, "Window test");
    SetText(window, IDC_FRAMES_PER_SECOND, "31");
    {
        MessageBoxAnswerer user(kCaption, {}, recorder.Id());
        e2e::Click(window, IDC_RECORD);
        ASSERT_TRUE(e2e::WaitUntil([&] { return user.Texts().size() == 1; }, timeoutMs));
        EXPECT_EQ(user.Texts()[0], "Frames per second: a whole number from 1 to 30.");
    }
    SetText(window, IDC_FRAMES_PER_SECOND, "5");
    e2e::Click(window, IDC_RECORD);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(window); }, timeoutMs));
    ASSERT_TRUE(e2e::WaitUntil([&] { return FileSize(path) > 344; }, timeoutMs));
    Sleep(1000);
    PressStopKey();
    ASSERT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, timeoutMs))
        << "the hot key stops the recording";
    ASSERT_TRUE(e2e::WaitUntilIdle(recorder.Handle(), window, timeoutMs));
    EXPECT_EQ(e2e::ControlText(window, IDC_STATUS).rfind("Recorded ", 0), 0u)
        << e2e::ControlText(window, IDC_STATUS);
    RecordingFile header;
    ASSERT_TRUE(header.Initialize());
    ASSERT_TRUE(header.LoadHeaderFrom(path.c_str()));
    EXPECT_EQ(header.GetFrameRate(), 5u);
    EXPECT_GE(header.GetDurationSeconds() * 1000 + header.GetDurationMilliseconds(), 800u);
    EXPECT_EQ(TitleOf(header), "Window test");
    EXPECT_FALSE(PlayAll(path).empty());

    ASSERT_TRUE(IsWindowEnabled(GetDlgItem(window, IDC_USE_AS_SAVER)));
    e2e::Click(window, IDC_USE_AS_SAVER);
    EXPECT_TRUE(
        e2e::WaitUntil([&] { return e2e::ReadString(kSaverKey, "Path") == path; }, timeoutMs));
    e2e::Click(window, IDCANCEL);
    EXPECT_EQ(recorder.ExitCodeOrKill(timeoutMs), 0u);

    window = OpenWindow(recorder);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(e2e::ControlText(window, IDC_OUTPUT_FILE), path);
    EXPECT_EQ(e2e::ControlText(window, IDC_TITLE), "Window test");
    EXPECT_EQ(e2e::ControlText(window, IDC_FRAMES_PER_SECOND), "5");
    e2e::Click(window, IDCANCEL);
    EXPECT_EQ(recorder.ExitCodeOrKill(timeoutMs), 0u);
    e2e::DeleteKeyTree(kRecorderKey);
    e2e::DeleteKeyTree(kSaverKey);
}
