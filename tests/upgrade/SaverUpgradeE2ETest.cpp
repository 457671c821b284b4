// The upgrade check of the real saver's configuration dialog, with the
// scripted test server as the user's HTTP proxy answering the program's fixed
// URLs.
#include "MessageBoxAnswerer.h"
#include "SaverProgram.h"
#include "UpgradeFixture.h"

#include "classlib/MessageBox.h"
#include "e2e/Registry.h"
#include "e2e/WindowWait.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

using namespace saver_e2e;

namespace {
const DWORD bound = 30000;
const char* const manifestRequest = "/screen-saver/upgrade.txt";

class SaverUpgrade : public UpgradeFixture {
  protected:
    // Serves the signed manifest and starts the configuration dialog (true
    // once it shows); the answerer then answers its boxes.
    bool OpenDialog(const std::string& manifest, std::map<std::string, int> answers) {
        ServeSignedManifest(manifest);
        if (!saver.Start(SaverPath(), "/c"))
            return false;
        user = std::make_unique<MessageBoxAnswerer>(productName, std::move(answers), saver.Id());
        dialog = WaitForConfigDialog();
        return dialog != nullptr;
    }
    bool WaitForBoxes(size_t count) {
        return e2e::WaitUntil([&] { return user->Texts().size() >= count; }, bound);
    }
    // Offers the trickling installer, which the user takes; the progress
    // dialog once its download has begun.
    HWND StartTricklingDownload(int cancel) {
        return OpenDialog("trickling-installer.txt", Answers(IDYES, cancel)) &&
                       e2e::WaitUntil([&] { return FileExists(PartialInstaller()); }, bound)
                   ? ProgressDialog(saver.Id())
                   : nullptr;
    }
    static std::string PartialInstaller() { return TempFolder() + "\\400000"; }

    e2e::TestProcess saver;
    std::unique_ptr<MessageBoxAnswerer> user;
    HWND dialog = nullptr;
};
}  // namespace

TEST_F(SaverUpgrade, ManifestWithTheOwnVersionShowsNothing) {
    ASSERT_TRUE(OpenDialog("own-version.txt", Answers(IDYES)));
    ASSERT_TRUE(e2e::WaitUntil(SecondFileArrived, bound))
        << "the dialog's timer read the manifest and url2";
    ASSERT_TRUE(e2e::WaitUntilIdle(saver.Handle(), dialog, bound));
    EXPECT_TRUE(user->Texts().empty());
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
    EXPECT_EQ(test_server::RequestCount("/files/setup.exe"), 0);
}

TEST_F(SaverUpgrade, AnotherVersionAsksAndNoDoesNothingMore) {
    ASSERT_TRUE(OpenDialog("older.txt", Answers(IDNO)));
    ASSERT_TRUE(WaitForBoxes(1));
    EXPECT_EQ(user->Texts()[0], LoadResourceString(IDS_UPGRADE_OFFER));
    ASSERT_TRUE(e2e::WaitUntilIdle(saver.Handle(), dialog, bound));
    EXPECT_EQ(ProgressDialog(saver.Id()), nullptr);
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
    EXPECT_EQ(user->Texts().size(), 1u) << "asked once";
    EXPECT_EQ(test_server::RequestCount("/files/setup.exe"), 0);
}

TEST_F(SaverUpgrade, YesDownloadsTheInstallerAndStartsIt) {
    ASSERT_TRUE(OpenDialog("newer.txt", Answers(IDYES)));
    EXPECT_TRUE(e2e::WaitUntil([] { return FileExists(TempFolder() + "\\setup.exe.ran"); }, bound))
        << "the installer ran";
    EXPECT_TRUE(e2e::WaitUntil([&] { return ProgressDialog(saver.Id()) == nullptr; }, bound));
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
    EXPECT_EQ(user->Texts().size(), 1u);
}

// An installer that cannot be downloaded, or one changed after the manifest
// was signed (bytes appended: it would still run), is not started.
TEST_F(SaverUpgrade, AFailingOrChangedInstallerShowsTheFailureAndIsDeleted) {
    const struct {
        const char* manifest;
        const char* file;
    } cases[] = {{"missing-installer.txt", "missing.exe"}, {"newer.txt", "setup.exe"}};
    test_server::PutFile("files/setup.exe", TestInstaller() + "changed after signing");
    const int installerRequests = test_server::RequestCount("/files/setup.exe");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(OpenDialog(c.manifest, Answers(IDYES)));
        ASSERT_TRUE(WaitForBoxes(2));
        EXPECT_EQ(user->Texts()[1], LoadResourceString(IDS_UPGRADE_FAILED));
        EXPECT_EQ(ProgressDialog(saver.Id()), nullptr);
        const std::string installer = TempFolder() + "\\" + c.file;
        EXPECT_FALSE(FileExists(installer));
        EXPECT_FALSE(FileExists(installer + ".ran"));
        EXPECT_EQ(CancelDialog(saver, dialog), 0u);
    }
    EXPECT_EQ(test_server::RequestCount("/files/setup.exe"), installerRequests + 2)
        << "the changed installer was downloaded (its size, then its bytes)";
}

TEST_F(SaverUpgrade, CancelConfirmedStopsTheDownloadAndDeletesThePartialFile) {
    HWND progress = StartTricklingDownload(IDYES);
    ASSERT_NE(progress, nullptr);
    PostMessageA(progress, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(e2e::WaitForWindowGone(progress, bound));
    EXPECT_FALSE(FileExists(PartialInstaller()));
    ASSERT_EQ(user->Texts().size(), 2u);
    EXPECT_EQ(user->Texts()[1], LoadResourceString(IDS_UPGRADE_CANCEL));
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
}

TEST_F(SaverUpgrade, ClosingTheDialogDuringTheDownloadEndsEverything) {
    HWND progress = StartTricklingDownload(IDNO);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
    EXPECT_FALSE(IsWindow(progress));
    EXPECT_TRUE(!FileExists(PartialInstaller()) || DeleteFileA(PartialInstaller().c_str()))
        << "the partial file is not held open";
    EXPECT_EQ(user->Texts().size(), 1u) << "no question about cancelling";
}

TEST_F(SaverUpgrade, NothingIsFetchedOrShownWhileTheSaverRunsFullScreen) {
    ServeSignedManifest("newer.txt");
    const int earlierRequests = test_server::RequestCount(manifestRequest);
    HWND window = StartFullScreen(saver);
    ASSERT_NE(window, nullptr);
    user = std::make_unique<MessageBoxAnswerer>(productName, Answers(IDYES), saver.Id());
    ASSERT_TRUE(WaitUntilReady(saver, window));
    // Longer than the configuration dialog needs to poll, fetch and ask.
    EXPECT_FALSE(e2e::WaitUntil(
        [&] { return test_server::RequestCount(manifestRequest) > earlierRequests; }, 3000));
    EXPECT_TRUE(user->Texts().empty());
    EXPECT_FALSE(SecondFileArrived());
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCodeAfterWindowGone(saver, window), 0u);
}

// Where the system has no bcrypt.dll (Windows before Vista; here Wine's
// per-program DLL settings hide it from the saver), nothing is fetched and
// nothing is offered.
TEST_F(SaverUpgrade, WithoutTheSystemsCryptographyNothingIsFetched) {
    const std::string programSettings = "Software\\Wine\\AppDefaults\\QuorvaneSaver.scr";
    ASSERT_FALSE(e2e::KeyExists(programSettings));
    const struct Undo {
        std::string key;
        ~Undo() { e2e::DeleteKeyTree(key); }
    } undo{programSettings};
    ASSERT_TRUE(e2e::WriteString(programSettings + "\\DllOverrides", "bcrypt", ""));
    const int earlierRequests = test_server::RequestCount(manifestRequest);
    ASSERT_TRUE(OpenDialog("newer.txt", Answers(IDYES)));
    // Longer than the configuration dialog needs to poll, fetch and ask.
    EXPECT_FALSE(e2e::WaitUntil(
        [&] { return test_server::RequestCount(manifestRequest) > earlierRequests; }, 3000));
    EXPECT_TRUE(user->Texts().empty());
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
}
