// The upgrade check in this process, with the program's fixed manifest URL
// answered by the scripted test server acting as the user's HTTP proxy. What
// the user sees of it in the real program is tested in SaverUpgradeE2ETest.
#include "MessageBoxAnswerer.h"
#include "UpgradeFixture.h"

#include "classlib/MessageBox.h"
#include "e2e/WindowWait.h"
#include "resources/ResourceIds.h"
#include "upgrade/UpgradeDlg.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

namespace {
const DWORD bound = 30000;

class UpgradeDlgTest : public UpgradeFixture {
  protected:
    static VersionStrings OwnVersion() {
        VersionStrings own;
        own.fileVersion = "1.0.33.0";
        own.productName = productName;
        return own;
    }
    // Offers a trickling installer of another version; the user gives the answers.
    void StartDownload(std::map<std::string, int> answers) {
        ServeManifest("version = 1.0.34.0\nurl = http://www.quorvane.com/s/trickle/400000\n");
        user = std::make_unique<MessageBoxAnswerer>(productName, std::move(answers));
        upgrade = std::make_unique<UpgradeDlg>(OwnVersion());
        ASSERT_TRUE(e2e::WaitUntil([&] { return upgrade->PollManifest(); }, bound));
        ASSERT_TRUE(upgrade->OfferUpgrade());
    }

    std::unique_ptr<MessageBoxAnswerer> user;
    std::unique_ptr<UpgradeDlg> upgrade;
};
}  // namespace

TEST_F(UpgradeDlgTest, CancelDeniedGoesOn) {
    StartDownload(Answers(IDYES, IDNO));
    PostMessageA(ProgressDialog(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return user->Texts().size() == 2; }, bound));
    e2e::PumpMessages();
    const HWND bar = GetDlgItem(ProgressDialog(), IDC_DOWNLOAD_PROGRESS);
    ASSERT_NE(bar, nullptr) << "the download goes on";
    EXPECT_TRUE(e2e::WaitUntil([&] { return SendMessageA(bar, PBM_GETPOS, 0, 0) >= 2; }, bound))
        << "the progress bar follows the download";
}

TEST_F(UpgradeDlgTest, DeletingTheCheckDuringTheDownloadEndsEverything) {
    StartDownload(Answers(IDYES));
    const std::string partial = TempFolder() + "\\400000";
    ASSERT_TRUE(e2e::WaitUntil([&] { return FileExists(partial); }, bound));
    upgrade.reset();
    EXPECT_EQ(ProgressDialog(), nullptr);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !FileExists(partial); }, bound))
        << "the worker ends on its own";
    EXPECT_EQ(user->Texts().size(), 1u) << "no question";
}

// Keys are case-sensitive, and an empty line after "version =" swallows the URL.
TEST_F(UpgradeDlgTest, ManifestWithoutUsableUrlOffersNothing) {
    for (const char* manifest :
         {"version = 1.0.34.0\nVersion = 2\nURL = ", "version =\n\nurl = "}) {
        SCOPED_TRACE(manifest);
        RemoveFolderTree(TempFolder());
        ASSERT_FALSE(SecondFileArrived());
        ServeManifestWithSecondUrl(manifest + std::string(installerUrl) + "\n");
        UpgradeDlg check(OwnVersion());
        ASSERT_TRUE(
            e2e::WaitUntil([&] { return check.PollManifest() || SecondFileArrived(); }, bound));
        EXPECT_FALSE(check.PollManifest());
    }
}

TEST_F(UpgradeDlgTest, MissingOrFailingManifestShowsNothing) {
    ASSERT_TRUE(test_server::PutFile(std::string(manifestPath) + ".status", "503"));
    const std::string path = "/" + std::string(manifestPath);
    const int earlierRequests = test_server::RequestCount(path);
    UpgradeDlg check(OwnVersion());
    ASSERT_TRUE(e2e::WaitUntil(
        [&] { return test_server::RequestCount(path) >= earlierRequests + 3; }, bound))
        << "retried every second";
    EXPECT_FALSE(check.PollManifest());
}
