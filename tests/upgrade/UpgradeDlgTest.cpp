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
#include <vector>

namespace {
const DWORD bound = 30000;

class UpgradeDlgTest : public UpgradeFixture {};

VersionStrings OwnVersion() {
    VersionStrings own;
    own.fileVersion = "1.0.33.0";
    own.productName = UpgradeFixture::productName;
    return own;
}
}  // namespace

// The user says no to cancelling: the download of the trickling installer
// goes on, and its progress bar follows it.
TEST_F(UpgradeDlgTest, CancelDeniedGoesOn) {
    ServeSignedManifest("trickling-installer.txt");
    const MessageBoxAnswerer user(productName, Answers(IDYES, IDNO));
    UpgradeDlg upgrade(OwnVersion());
    ASSERT_TRUE(e2e::WaitUntil([&] { return upgrade.PollManifest(); }, bound));
    ASSERT_TRUE(upgrade.OfferUpgrade());
    PostMessageA(ProgressDialog(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return user.Texts().size() == 2; }, bound));
    e2e::PumpMessages();
    const HWND bar = GetDlgItem(ProgressDialog(), IDC_DOWNLOAD_PROGRESS);
    ASSERT_NE(bar, nullptr) << "the download goes on";
    EXPECT_TRUE(e2e::WaitUntil([&] { return SendMessageA(bar, PBM_GETPOS, 0, 0) >= 2; }, bound));
}

// Only a manifest signed with the program's key over exactly its bytes and
// naming the installer's hash counts; one that does not count fetches nothing
// it names (url2 is in each) and leaves no file. Of those that count, one
// with keys of another case or an empty line after "version =" (which
// swallows the URL) fetches url2 but offers nothing; they come last, so that
// any url2 fetch of the earlier checks, which stay alive, has been made by then.
TEST_F(UpgradeDlgTest, ManifestsThatDoNotCountFetchNothingAndNoneOffersAnything) {
    std::string changed = SignedFile("newer.txt");
    changed[changed.find("1.0.34.0") + 5] = '5';
    const struct {
        const char* what;
        std::string manifest, signature;
        bool counts;
    } cases[] = {
        {"unsigned", SignedFile("newer.txt"), "", false},
        {"one byte changed", changed, SignedFile("newer.txt.sig"), false},
        {"signed with another key", SignedFile("other-key.txt"), SignedFile("other-key.txt.sig"),
         false},
        {"no InstallerSHA256", SignedFile("no-installer-hash.txt"),
         SignedFile("no-installer-hash.txt.sig"), false},
        {"keys of another case", SignedFile("wrong-case-keys.txt"),
         SignedFile("wrong-case-keys.txt.sig"), true},
        {"empty version line", SignedFile("empty-version-line.txt"),
         SignedFile("empty-version-line.txt.sig"), true},
    };
    const std::string signatureRequest = "/" + std::string(signaturePath);
    const int secondRequests = test_server::RequestCount("/extra.bin");
    int countingManifests = 0;
    std::vector<std::unique_ptr<UpgradeDlg>> checks;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveFolderTree(TempFolder());
        ServeManifest(c.manifest, c.signature);
        const int signatureRequests = test_server::RequestCount(signatureRequest);
        checks.push_back(std::make_unique<UpgradeDlg>(OwnVersion()));
        UpgradeDlg& check = *checks.back();
        // Without url2 to wait for: the manifest file lies there from before
        // the signature's second request (the first only asks its size) until
        // the check has read it.
        const auto settled = [&] {
            if (check.PollManifest())
                return true;
            if (c.counts)
                return SecondFileArrived();
            return test_server::RequestCount(signatureRequest) >= signatureRequests + 2 &&
                   !FileExists(TempFolder() + "\\upgrade.txt");
        };
        ASSERT_TRUE(e2e::WaitUntil(settled, bound));
        EXPECT_FALSE(check.PollManifest());
        if (c.counts)
            ++countingManifests;
        else
            EXPECT_TRUE(IsEmptyOrMissing(TempFolder()));
    }
    EXPECT_EQ(test_server::RequestCount("/extra.bin"), secondRequests + 2 * countingManifests)
        << "a size query and a download for each manifest that counts";
    EXPECT_EQ(test_server::RequestCount("/files/setup.exe"), 0);
}
