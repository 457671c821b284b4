// The upgrade check with the program's fixed manifest URL, answered by the
// scripted test server acting as the user's HTTP proxy.
#include "DownloadTestFolder.h"
#include "MessageBoxAnswerer.h"
#include "UpgradeFixture.h"

#include "classlib/MessageBox.h"
#include "e2e/TestProcess.h"
#include "e2e/WindowWait.h"
#include "resources/ResourceIds.h"
#include "upgrade/UpgradeDlg.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

namespace {
const DWORD bound = 30000;

VersionStrings OwnVersion()
{
    VersionStrings own;
    own.fileVersion = "1.0.33.0";
    own.productName = UpgradeFixture::productName;
    return own;
}

class UpgradeDlgTest : public UpgradeFixture {
protected:
    bool WaitForManifest(UpgradeDlg& upgrade)
    {
        return e2e::WaitUntil([&] { return upgrade.PollManifest(); }, bound);
    }
};
} // namespace

TEST_F(UpgradeDlgTest, SameVersionAsksNothing)
{
    ServeManifest("version = 1.0.33.0\nurl = " + std::string(installerUrl) + "\n");
    MessageBoxAnswerer user(productName, Answers(IDYES));
    UpgradeDlg upgrade(OwnVersion());
    ASSERT_TRUE(WaitForManifest(upgrade));
    EXPECT_FALSE(upgrade.OfferUpgrade());
    EXPECT_FALSE(upgrade.PollManifest()) << "asked once";
    EXPECT_TRUE(user.Texts().empty());
    EXPECT_EQ(test_server::RequestCount("/files/setup.exe"), 0);
}

TEST_F(UpgradeDlgTest, OtherVersionAsksAndNoDoesNothingMore)
{
    ServeManifest("; newest\nversion = 1.0.32.0 ; older counts too\nurl = " + std::string(installerUrl) + "\n");
    MessageBoxAnswerer user(productName, Answers(IDNO));
    UpgradeDlg upgrade(OwnVersion());
    ASSERT_TRUE(WaitForManifest(upgrade));
    EXPECT_FALSE(upgrade.OfferUpgrade());
    ASSERT_EQ(user.Texts().size(), 1u);
    EXPECT_EQ(user.Texts()[0], LoadResourceString(IDS_UPGRADE_OFFER));
    EXPECT_EQ(ProgressDialog(), nullptr);
    EXPECT_EQ(test_server::RequestCount("/files/setup.exe"), 0);
}

TEST_F(UpgradeDlgTest, YesDownloadsAndStartsTheInstaller)
{
    ServeManifest("version = 1.0.34.0\nurl = " + std::string(installerUrl) + "\n");
    MessageBoxAnswerer user(productName, Answers(IDYES));
    UpgradeDlg upgrade(OwnVersion());
    ASSERT_TRUE(WaitForManifest(upgrade));
    ASSERT_TRUE(upgrade.OfferUpgrade());
    EXPECT_NE(ProgressDialog(), nullptr);
    EXPECT_TRUE(e2e::WaitUntil([] { return FileExists(TempFolder() + "\\setup.exe.ran"); }, bound))
        << "the installer ran";
    EXPECT_TRUE(e2e::WaitUntil([] { return ProgressDialog() == nullptr; }, bound));
    EXPECT_EQ(user.Texts().size(), 1u);
}

TEST_F(UpgradeDlgTest, FailingInstallerDownloadShowsTheFailure)
{
    ServeManifest("version = 1.0.34.0\nurl = http://www.quorvane.com/files/missing.exe\n");
    MessageBoxAnswerer user(productName, Answers(IDYES));
    UpgradeDlg upgrade(OwnVersion());
    ASSERT_TRUE(WaitForManifest(upgrade));
    ASSERT_TRUE(upgrade.OfferUpgrade());
    ASSERT_TRUE(e2e::WaitUntil([&] { return user.Texts().size() == 2; }, bound));
    EXPECT_EQ(user.Texts()[1], LoadResourceString(IDS_UPGRADE_FAILED));
    EXPECT_EQ(ProgressDialog(), nullptr);
    EXPECT_FALSE(FileExists(TempFolder() + "\\missing.exe"));
}

TEST_F(UpgradeDlgTest, CancelConfirmedStopsAndDeletesThePartialFile)
{
    ServeManifest("version = 1.0.34.0\nurl = http://www.quorvane.com/s/trickle/400000\n");
    MessageBoxAnswerer user(productName, Answers(IDYES, IDYES));
    UpgradeDlg upgrade(OwnVersion());
    ASSERT_TRUE(WaitForManifest(upgrade));
    ASSERT_TRUE(upgrade.OfferUpgrade());
    const std::string partial = TempFolder() + "\\400000";
    ASSERT_TRUE(e2e::WaitUntil([&] { return FileExists(partial); }, bound));
    PostMessageA(ProgressDialog(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(e2e::WaitUntil([] { return ProgressDialog() == nullptr; }, bound));
    EXPECT_FALSE(FileExists(partial));
    ASSERT_EQ(user.Texts().size(), 2u);
    EXPECT_EQ(user.Texts()[1], LoadResourceString(IDS_UPGRADE_CANCEL));
}

TEST_F(UpgradeDlgTest, CancelDeniedGoesOn)
{
    ServeManifest("version = 1.0.34.0\nurl = http://www.quorvane.com/s/trickle/400000\n");
    MessageBoxAnswerer user(productName, Answers(IDYES, IDNO));
    UpgradeDlg upgrade(OwnVersion());
    ASSERT_TRUE(WaitForManifest(upgrade));
    ASSERT_TRUE(upgrade.OfferUpgrade());
    PostMessageA(ProgressDialog(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return user.Texts().size() == 2; }, bound));
    e2e::PumpMessages();
    const HWND bar = GetDlgItem(ProgressDialog(), IDC_DOWNLOAD_PROGRESS);
    ASSERT_NE(bar, nullptr) << "the download goes on";
    EXPECT_TRUE(e2e::WaitUntil([&] { return SendMessageA(bar, PBM_GETPOS, 0, 0) >= 2; }, bound))
        << "the progress bar follows the download";
}

TEST_F(UpgradeDlgTest, DeletingTheCheckDuringTheDownloadEndsEverything)
{
    ServeManifest("version = 1.0.34.0\nurl = http://www.quorvane.com/s/trickle/400000\n");
    MessageBoxAnswerer user(productName, Answers(IDYES));
    auto upgrade = std::make_unique<UpgradeDlg>(OwnVersion());
    ASSERT_TRUE(WaitForManifest(*upgrade));
    ASSERT_TRUE(upgrade->OfferUpgrade());
    const std::string partial = TempFolder() + "\\400000";
    ASSERT_TRUE(e2e::WaitUntil([&] { return FileExists(partial); }, bound));
    upgrade.reset();
    EXPECT_EQ(ProgressDialog(), nullptr);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !FileExists(partial); }, bound)) << "the worker ends on its own";
    EXPECT_EQ(user.Texts().size(), 1u) << "no question";
}

TEST_F(UpgradeDlgTest, ManifestWithoutUrlOffersNothing)
{
    ServeManifestWithSecondUrl("version = 1.0.34.0\nVersion = 2\nURL = " + std::string(installerUrl) + "\n");
    UpgradeDlg upgrade(OwnVersion());
    ASSERT_TRUE(e2e::WaitUntil([&] { return upgrade.PollManifest() || SecondFileArrived(); }, bound));
    EXPECT_FALSE(upgrade.PollManifest());
}

TEST_F(UpgradeDlgTest, EmptyLineAfterVersionSwallowsTheUrl)
{
    ServeManifestWithSecondUrl("version =\n\nurl = " + std::string(installerUrl) + "\n");
    UpgradeDlg upgrade(OwnVersion());
    ASSERT_TRUE(e2e::WaitUntil([&] { return upgrade.PollManifest() || SecondFileArrived(); }, bound));
    EXPECT_FALSE(upgrade.PollManifest());
}

TEST_F(UpgradeDlgTest, MissingOrFailingManifestShowsNothing)
{
    ASSERT_TRUE(test_server::PutFile(std::string(manifestPath) + ".status", "503"));
    const std::string path = "/" + std::string(manifestPath);
    const int earlierRequests = test_server::RequestCount(path);
    UpgradeDlg upgrade(OwnVersion());
    ASSERT_TRUE(e2e::WaitUntil([&] { return test_server::RequestCount(path) >= earlierRequests + 3; }, bound))
        << "retried every second";
    EXPECT_FALSE(upgrade.PollManifest());
}

TEST_F(UpgradeDlgTest, SecondUrlIsFetchedIntoItsOwnFile)
{
    ServeManifestWithSecondUrl("version = 1.0.33.0\nurl = " + std::string(installerUrl) + "\n");
    UpgradeDlg upgrade(OwnVersion());
    ASSERT_TRUE(WaitForManifest(upgrade));
    EXPECT_TRUE(e2e::WaitUntil(SecondFileArrived, bound));
}
