#include "TestResources.h"
#include "classlib/FileDialog.h"
#include "classlib/MessageBox.h"
#include "classlib/ProgressCtrl.h"
#include "classlib/Dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {
struct PendingAnswer {
    const char* title;
    WORD command;
};

DWORD WINAPI AnswerWhenShown(void* parameter)
{
    PendingAnswer answer = *static_cast<PendingAnswer*>(parameter);
    delete static_cast<PendingAnswer*>(parameter);
    for (int attempt = 0; attempt < 2000; ++attempt) {
        HWND dialog = FindWindowA("#32770", answer.title);
        if (dialog) {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer.command, BN_CLICKED), 0);
            return 0;
        }
        Sleep(10);
    }
    return 1;
}

// Finds a top-level dialog of this process by its title, once it is shown,
// and sends it a command.
void AnswerDialogLater(const char* title, WORD command)
{
    HANDLE thread = CreateThread(nullptr, 0, AnswerWhenShown, new PendingAnswer{title, command}, 0, nullptr);
    if (thread)
        CloseHandle(thread);
}
} // namespace

TEST(FileDialog, FilterPairsBecomeZeroSeparated)
{
    std::string filter = CFileDialog::SystemFilter("All Files (*.*)|*.*|VQD file (.vqd)|*.vqd||");
    const char expected[] = "All Files (*.*)\0*.*\0VQD file (.vqd)\0*.vqd\0";
    EXPECT_EQ(filter, std::string(expected, sizeof expected));
    EXPECT_EQ(CFileDialog::SystemFilter(""), "");
}

TEST(FileDialog, CancelledDialogChoosesNothing)
{
    CFileDialog dialog("C:\\nothing.vqd", OFN_HIDEREADONLY, "All Files (*.*)|*.*||", nullptr);
    AnswerDialogLater("Open", IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetPathName(), "");
}

TEST(MessageBox, ResourceTextIsShownAndTheAnswerReturned)
{
    EXPECT_EQ(LoadResourceString(IDS_TEST_GREETING), "Hello from the test resources");
    EXPECT_EQ(LoadResourceString(4711), "");
    AnswerDialogLater("Test caption", IDNO);
    EXPECT_EQ(ShowResourceMessage(nullptr, IDS_TEST_GREETING, "Test caption", MB_YESNO | MB_ICONQUESTION), IDNO);
}

TEST(ProgressCtrl, BoundControlTakesThePosition)
{
    CProgressCtrl unbound;
    EXPECT_EQ(unbound.SetPos(50), 0);

    InitCommonControls();
    HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_POPUP, 0, 0, 100, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(bar, nullptr);
    CProgressCtrl progress;
    progress.Bind(bar);
    EXPECT_EQ(progress.SetPos(30), 0);
    EXPECT_EQ(progress.SetPos(70), 30);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 70);
    DestroyWindow(bar);
}
