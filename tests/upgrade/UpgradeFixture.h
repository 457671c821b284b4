#pragma once
#include "TestSupport.h"

#include "classlib/MessageBox.h"
#include "e2e/TestProcess.h"
#include "e2e/WindowWait.h"
#include "resources/ResourceIds.h"

#include <map>
#include <string>

// The surroundings of an upgrade check: the test server as the user's HTTP
// proxy, so that it answers the program's fixed manifest URL, with the
// stand-in installer served as "files/setup.exe" and the file "extra.bin" that the
// manifests name as url2, and an empty "qvsstemp" folder in the temp folder
// (removed again afterwards).
class UpgradeFixture : public testing::Test {
  public:
    static constexpr const char* productName = "Quorvane Screen Saver";
    static constexpr const char* manifestPath = "screen-saver/upgrade.txt";
    static constexpr const char* signaturePath = "screen-saver/upgrade.txt.sig";

  protected:
    UpgradeFixture() {
        // A worker an earlier test left behind may still hold a file there.
        EXPECT_TRUE(e2e::WaitUntil(
            [] {
                RemoveFolderTree(TempFolder());
                return !FileExists(TempFolder());
            },
            30000));
        EXPECT_TRUE(test_server::PutFile("files/setup.exe", TestInstaller()));
        test_server::PutFile("extra.bin", "second");
    }
    ~UpgradeFixture() override { RemoveFolderTree(TempFolder()); }

    static std::string TempFolder() {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(sizeof temp, temp);
        return std::string(temp) + "qvsstemp";
    }
    // Serves the manifest text and the signature text beside it (none when
    // it is empty).
    void ServeManifest(const std::string& text, const std::string& signature) {
        test_server::RemoveFile(std::string(manifestPath) + ".status");
        ASSERT_TRUE(test_server::PutFile(manifestPath, text));
        if (signature.empty())
            test_server::RemoveFile(signaturePath);
        else
            ASSERT_TRUE(test_server::PutFile(signaturePath, signature));
    }
    void ServeSignedManifest(const std::string& name) {
        ServeManifest(SignedFile(name), SignedFile(name + ".sig"));
    }
    // The file of a manifest's url2 entry, once fetched.
    static bool SecondFileArrived() {
        return FileContent(TempFolder() + "\\upgrade.tmp") == "second";
    }
    // The answers to the upgrade question and to the cancel confirmation.
    static std::map<std::string, int> Answers(int offer, int cancel = IDNO) {
        return {{LoadResourceString(IDS_UPGRADE_OFFER), offer},
                {LoadResourceString(IDS_UPGRADE_CANCEL), cancel}};
    }
    // The download's progress dialog of the process, when it is shown.
    static HWND ProgressDialog(DWORD process = GetCurrentProcessId()) {
        HWND dialog = FindWindowA("#32770", "Downloading");
        DWORD owner = 0;
        GetWindowThreadProcessId(dialog, &owner);
        return dialog && owner == process ? dialog : nullptr;
    }

    ProxySetting proxy{test_server::HostAndPort()};
};
