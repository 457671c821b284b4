#include "TestResources.h"
#include "classlib/FileDialog.h"
#include "classlib/MessageBox.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {
// Finds a top-level dialog of this process by its title, once it is shown,
// and sends it a command (from a thread of its own, while the test waits in
// the dialog's modal loop).
void AnswerDialogLater(const char* title, WORD command) {
    std::thread([=] {
        for (int attempt = 0; attempt < 2000; ++attempt, Sleep(10))
            if (HWND dialog = FindWindowA("#32770", title))
                return (void)PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
    }).detach();
}
}  // namespace

TEST(FileDialog, FilterPairsBecomeZeroSeparated) {
    std::string filter = CFileDialog::SystemFilter("All Files (*.*)|*.*|VQD file (.vqd)|*.vqd||");
    const char expected[] = "All Files (*.*)\0*.*\0VQD file (.vqd)\0*.vqd\0";
    EXPECT_EQ(filter, std::string(expected, sizeof expected));
    EXPECT_EQ(CFileDialog::SystemFilter(""), "");
}

TEST(FileDialog, CancelledDialogChoosesNothing) {
    CFileDialog dialog("C:\\nothing.vqd", OFN_HIDEREADONLY, "All Files (*.*)|*.*||", nullptr);
    AnswerDialogLater("Open", IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetPathName(), "");
}

TEST(MessageBox, ResourceTextIsShownAndTheAnswerReturned) {
    EXPECT_EQ(LoadResourceString(IDS_TEST_GREETING), "Hello from the test resources");
    EXPECT_EQ(LoadResourceString(4711), "");
    AnswerDialogLater("Test caption", IDNO);
    EXPECT_EQ(
        ShowResourceMessage(nullptr, IDS_TEST_GREETING, "Test caption", MB_YESNO | MB_ICONQUESTION),
        IDNO);
}
