// The pieces of the configuration dialog that work without a window: the
// recording's length and rate texts, the file filter and the recorder's path.
#include "e2e/Registry.h"
#include "recording/ExeRecordingFile.h"
#include "saver/FileInfoDlg.h"
#include "saver/RecorderPath.h"
#include "saver/RecordingFilter.h"
#include "saver/RecordingInfoText.h"

#include <gtest/gtest.h>

TEST(InfoTexts, LengthAndRate) {
    const uint32_t day = 86400;
    const std::pair<uint32_t, const char*> lengths[] = {
        {0, "00:00:00"},
        {27, "00:00:27"},
        {3599, "00:59:59"},
        {day - 1, "23:59:59"},
        {day, "1 days 00:00:00"},
        {day + 3600 + 60 + 1, "1 days 01:01:01"},
        {11 * day + 13 * 3600 + 46 * 60 + 40, "11 days 13:46:40"},
        {0x80000000u, "24855 days 03:14:08"},
        {0xFFFFFFFFu, "49710 days 06:28:15"}};
    for (const auto& [seconds, text] : lengths)
        EXPECT_EQ(RecordLengthText(seconds), text) << seconds;
    EXPECT_EQ(FrameRateText(10), "10 frames/sec");
    EXPECT_EQ(FrameRateText(0), "0 frames/sec");
    EXPECT_EQ(FrameRateText(-1), "-1 frames/sec");
}

TEST(BrowseFilter, AllFilesThenEveryReaderInOrder) {
    RecordingFile vqd;
    ExeRecordingFile exe;
    EXPECT_EQ(RecordingFileFilter({&vqd, &exe}),
              "All Files (*.*)|*.*|VQD file (.vqd)|*.vqd|EXE file (.exe)|*.exe||");
    EXPECT_EQ(RecordingFileFilter({}), "All Files (*.*)|*.*||");
}

TEST(RecorderProgram, RegisteredFolderElseTheProgramsOwnPlusTheName) {
    const char recorderKey[] = "Software\\Quorvane\\Screen Recorder";
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string own = std::string(path).substr(0, std::string(path).rfind('\\') + 1);

    EXPECT_EQ(RecorderProgramPath("C:\\Recorder"), "C:\\Recorder\\grabora.exe");
    EXPECT_EQ(RecorderProgramPath("C:\\Recorder\\"), "C:\\Recorder\\grabora.exe");
    EXPECT_EQ(RecorderProgramPath(""), "grabora.exe");

    ASSERT_TRUE(e2e::DeleteKeyTree(recorderKey, HKEY_LOCAL_MACHINE));
    EXPECT_EQ(RecorderFolder(), own) << "no key";
    ASSERT_TRUE(e2e::WriteString(recorderKey, "Other", "E:\\", HKEY_LOCAL_MACHINE));
    EXPECT_EQ(RecorderFolder(), own) << "no default value";
    const std::pair<std::string, std::string> registered[] = {
        {"D:\\Tools\\Recorder", "D:\\Tools\\Recorder\\grabora.exe"},
        {"", "grabora.exe"},
        {"C:\\" + std::string(300, 'r'), own + "grabora.exe"}};  // longer than the read limit
    for (const auto& [folder, program] : registered) {
        ASSERT_TRUE(e2e::WriteString(recorderKey, "", folder, HKEY_LOCAL_MACHINE));
        EXPECT_EQ(RecorderProgramPath(RecorderFolder()), program) << folder;
    }
    e2e::DeleteKeyTree(recorderKey, HKEY_LOCAL_MACHINE);
}

// The texts taken from a recording are checked end to end (ConfigDialogE2ETest).
TEST(FileInfo, NoReaderChangesNothing) {
    FileInfoDlg info;
    info.title = "kept";
    info.SetFromRecording(nullptr);
    EXPECT_EQ(info.title, "kept");
}
