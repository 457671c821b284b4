// The upgrade check of the real saver's configuration dialog, with the
// scripted test server as the user's HTTP proxy answering the program's fixed
// URLs: the signed manifest, the stand-in installer as files/setup.exe (and
// as the package files/setup.msi) and extra.bin, which the manifests name as
// url2. The program runs in a Wine prefix of its own (with-own-prefix.sh).
#include "MessageBoxAnswerer.h"
#include "SaverProgram.h"
#include "TestSupport.h"

#include "classlib/MessageBox.h"
#include "e2e/Registry.h"
#include "e2e/WindowWait.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

#include <memory>
#include <optional>
#include <tuple>

using namespace saver_e2e;

namespace {
const DWORD bound = 30000;
const char* const productName = "Quorvane Screen Saver";
const std::string manifestPath = "screen-saver/upgrade.txt";
const char* const internetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::string tempFolder = (std::filesystem::temp_directory_path() / "qvsstemp").string();

// The answers to the upgrade question and to the cancel confirmation.
std::map<std::string, int> Answers(int offer, int cancel = IDNO) {
    return {{LoadResourceString(IDS_UPGRADE_OFFER), offer},
            {LoadResourceString(IDS_UPGRADE_CANCEL), cancel}};
}

bool RemoveTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(tempFolder, ignored);
    return !FileExists(tempFolder);
}

class SaverUpgrade : public testing::Test {
  protected:
    SaverUpgrade() {
        e2e::WriteDword(internetSettings, "ProxyEnable", 1);
        e2e::WriteString(internetSettings, "ProxyServer", test_server::HostAndPort());
        WriteTestFile(test_server::File("extra.bin"), "second");
    }
    ~SaverUpgrade() override {
        e2e::WriteDword(internetSettings, "ProxyEnable", 0);
        RemoveTempFolder();
    }

    static std::string TempFile(const std::string& name) { return tempFolder + "\\" + name; }
    // Serves the manifest, signed or with an empty signature, and starts the configuration
    // dialog (true once it shows) with an empty temp folder (a saver an earlier test left
    // behind may still hold a file there); the answerer then answers its boxes.
    bool OpenDialog(const std::string& manifest, std::map<std::string, int> answers,
                    bool withSignature = true) {
        WriteTestFile(test_server::File(manifestPath), SignedFile(manifest));
        WriteTestFile(test_server::File(manifestPath + ".sig"),
                      withSignature ? SignedFile(manifest + ".sig") : "");
        if (!e2e::WaitUntil(RemoveTempFolder, bound) || !saver.Start(SaverPath(), "/c"))
            return false;
        user = std::make_unique<MessageBoxAnswerer>(productName, std::move(answers), saver.Id());
        dialog = WaitForConfigDialog();
        return dialog != nullptr;
    }
    // The download's progress dialog (of the saver, the only program here), when shown.
    static HWND ProgressDialog() { return FindWindowA("#32770", "Downloading"); }
    // Offers the trickling installer, which the user takes; the progress
    // dialog once its download has begun.
    HWND StartTricklingDownload(int cancel) {
        return OpenDialog("trickling-installer.txt", Answers(IDYES, cancel)) &&
                       e2e::WaitUntil([&] { return FileExists(TempFile("400000")); }, bound)
                   ? ProgressDialog()
                   : nullptr;
    }
    // Whether the manifest is asked for during the test, within longer than
    // the configuration dialog needs to poll, fetch and ask.
    bool ManifestFetched() const {
        return e2e::WaitUntil([&] { return ManifestRequests() > manifestRequests; }, 3000);
    }
    static int ManifestRequests() { return test_server::RequestCount("/" + manifestPath); }

    e2e::TestProcess saver;
    std::unique_ptr<MessageBoxAnswerer> user;
    HWND dialog = nullptr;
    const int manifestRequests = ManifestRequests();
};
}  // namespace

// Only a manifest signed with the program's key counts (that it names the
// installer's hash too is checked in-process: SignatureCheckTest and the
// native UpgradeTextTest); a counting one fetches its url2. Of those, one with
// the own version offers nothing.
TEST_F(SaverUpgrade, OnlyACountingManifestOfAnotherVersionAsks) {
    const std::tuple<const char*, bool, bool, bool> cases[] = {
        {"own-version.txt", true, true, false},
        {"newer.txt", false, false, false},
        {"older.txt", true, false, true},
    };
    const std::vector<std::string> offer = {LoadResourceString(IDS_UPGRADE_OFFER)};
    const std::string signatureRequest = "/" + manifestPath + ".sig";
    for (const auto& [manifest, withSignature, fetchesUrl2, asks] : cases) {
        SCOPED_TRACE(manifest);
        const int signatureRequests = test_server::RequestCount(signatureRequest);
        const int secondRequests = test_server::RequestCount("/extra.bin");
        ASSERT_TRUE(OpenDialog(manifest, Answers(IDNO), withSignature));
        // The manifest file lies there from before the signature's second
        // request (the first only asks its size) until the check has read it.
        ASSERT_TRUE(e2e::WaitUntil(
            [&] {
                return test_server::RequestCount(signatureRequest) >= signatureRequests + 2 &&
                       !FileExists(TempFile("upgrade.txt")) &&
                       user->Texts().size() == (asks ? 1u : 0u) &&
                       (!fetchesUrl2 || FileContent(TempFile("upgrade.tmp")) == "second");
            },
            bound));
        ASSERT_TRUE(e2e::WaitUntilIdle(saver.Handle(), dialog, bound));
        EXPECT_EQ(CancelDialog(saver, dialog), 0u);
        EXPECT_EQ(user->Texts(), asks ? offer : std::vector<std::string>());
        EXPECT_EQ(test_server::RequestCount("/extra.bin"), secondRequests + (fetchesUrl2 ? 2 : 0))
            << "a size query and a download";
    }
    EXPECT_EQ(test_server::RequestCount("/files/setup.exe"), 0);
}

// The installer runs when it arrives as signed. One that cannot be downloaded,
// or one changed after the manifest was signed (bytes appended: it would still
// run), shows the failure and is deleted.
TEST_F(SaverUpgrade, OnlyTheInstallerAsSignedRuns) {
    const std::tuple<const char*, std::string, std::string, bool> cases[] = {
        {"newer.txt", "setup.exe", "", true},
        {"missing-installer.txt", "missing.exe", "", false},
        {"newer.txt", "setup.exe", "changed after signing", false}};
    for (const auto& [manifest, file, appended, runs] : cases) {
        SCOPED_TRACE(file + appended);
        WriteTestFile(test_server::File("files/setup.exe"), TestInstaller() + appended);
        const int requests = test_server::RequestCount("/files/" + file);
        ASSERT_TRUE(OpenDialog(manifest, Answers(IDYES)));
        const auto ran = [&] { return FileExists(TempFile(file + ".ran")); };
        ASSERT_TRUE(e2e::WaitUntil([&] { return ran() || user->Texts().size() > 1; }, bound));
        EXPECT_EQ(ran(), runs);
        if (!runs) {
            EXPECT_EQ(user->Texts().at(1), LoadResourceString(IDS_UPGRADE_FAILED));
            EXPECT_FALSE(FileExists(TempFile(file)));
        }
        EXPECT_TRUE(e2e::WaitUntil([&] { return ProgressDialog() == nullptr; }, bound));
        EXPECT_EQ(CancelDialog(saver, dialog), 0u);
        EXPECT_EQ(user->Texts().size(), runs ? 1u : 2u);
        EXPECT_EQ(test_server::RequestCount("/files/" + file), requests + 2)
            << "the size, then the bytes";
    }
}

// A Windows Installer package starts as "msiexec /i <file>" through the
// system folder's msiexec, which the stand-in installer replaces here (Wine
// runs its own msiexec unless told to load the file in the system folder).
TEST_F(SaverUpgrade, APackageIsInstalledThroughTheSystemsMsiexec) {
    char systemFolder[MAX_PATH + 1] = {};
    ASSERT_NE(GetSystemDirectoryA(systemFolder, MAX_PATH), 0u);
    const std::string msiexec = std::string(systemFolder) + "\\msiexec.exe";
    const std::string installer = e2e::WindowsPath(QV_TEST_INSTALLER_PATH);
    ASSERT_TRUE(CopyFileA(installer.c_str(), msiexec.c_str(), FALSE));
    ASSERT_TRUE(e2e::WriteString("Software\\Wine\\DllOverrides", "msiexec.exe", "native"));
    WriteTestFile(test_server::File("files/setup.msi"), TestInstaller());
    ASSERT_TRUE(OpenDialog("package.txt", Answers(IDYES)));
    ASSERT_TRUE(e2e::WaitUntil([&] { return FileExists(msiexec + ".ran"); }, bound));
    EXPECT_EQ(FileContent(msiexec + ".ran"), "msiexec /i \"" + TempFile("setup.msi") + "\"");
    EXPECT_FALSE(FileExists(TempFile("setup.msi.ran"))) << "the package itself is not run";
    EXPECT_TRUE(e2e::WaitUntil([&] { return ProgressDialog() == nullptr; }, bound));
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
    EXPECT_EQ(user->Texts().size(), 1u) << "no failure shown";
}

// No to cancelling: the download goes on and its bar follows it; yes stops
// it and deletes the partial file.
TEST_F(SaverUpgrade, CancelAsksThenStopsTheDownloadAndDeletesThePartialFile) {
    HWND progress = StartTricklingDownload(IDNO);
    ASSERT_NE(progress, nullptr);
    PostMessageA(progress, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return user->Texts().size() > 1; }, bound));
    EXPECT_EQ(user->Texts()[1], LoadResourceString(IDS_UPGRADE_CANCEL));
    const HWND bar = GetDlgItem(progress, IDC_DOWNLOAD_PROGRESS);
    const LRESULT position = SendMessageA(bar, PBM_GETPOS, 0, 0);
    EXPECT_TRUE(
        e2e::WaitUntil([&] { return SendMessageA(bar, PBM_GETPOS, 0, 0) > position; }, bound))
        << "the download goes on";
    user = std::make_unique<MessageBoxAnswerer>(productName, Answers(IDYES, IDYES), saver.Id());
    PostMessageA(progress, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(e2e::WaitForWindowGone(progress, bound));
    EXPECT_FALSE(FileExists(TempFile("400000")));
    EXPECT_EQ(user->Texts(), std::vector<std::string>{LoadResourceString(IDS_UPGRADE_CANCEL)});
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
}

TEST_F(SaverUpgrade, ClosingTheDialogDuringTheDownloadEndsEverything) {
    HWND progress = StartTricklingDownload(IDNO);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
    EXPECT_FALSE(IsWindow(progress));
    EXPECT_TRUE(!FileExists(TempFile("400000")) || DeleteFileA(TempFile("400000").c_str()))
        << "the partial file is not held open";
    EXPECT_EQ(user->Texts().size(), 1u) << "no question about cancelling";
}

TEST_F(SaverUpgrade, NothingIsFetchedWhileTheSaverRunsFullScreen) {
    HWND window = StartFullScreen(saver);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntilReady(saver, window));
    EXPECT_FALSE(ManifestFetched());
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCodeAfterWindowGone(saver, window), 0u);
}

// A policy value "Upgrade check" of 0, the computer's or the user's, keeps
// the dialog from asking the web site; the computer's 1 wins over the user's 0.
TEST_F(SaverUpgrade, APolicyTurnsTheCheckOff) {
    const std::string policyKey = "Software\\Policies\\Quorvane\\Screen Saver";
    const std::tuple<std::optional<DWORD>, std::optional<DWORD>, bool> cases[] = {
        {0, std::nullopt, false}, {std::nullopt, 0, false}, {1, 0, true}};
    for (const auto& [computer, user, fetches] : cases) {
        SCOPED_TRACE(fetches);
        ASSERT_TRUE(!computer ||
                    e2e::WriteDword(policyKey, "Upgrade check", *computer, HKEY_LOCAL_MACHINE));
        ASSERT_TRUE(!user || e2e::WriteDword(policyKey, "Upgrade check", *user));
        ASSERT_TRUE(OpenDialog("own-version.txt", Answers(IDNO)));
        EXPECT_EQ(ManifestFetched(), fetches);
        EXPECT_EQ(CancelDialog(saver, dialog), 0u);
        e2e::DeleteKeyTree(policyKey, HKEY_LOCAL_MACHINE);
        e2e::DeleteKeyTree(policyKey);
    }
}
