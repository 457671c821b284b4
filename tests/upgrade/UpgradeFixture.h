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
// stand-in installer served at installerUrl, and an empty "qvsstemp" folder
// in the temp folder (removed again afterwards).
class UpgradeFixture : public testing::Test {
  public:
    static constexpr const char* productName = "Quorvane Screen Saver";
    static constexpr const char* manifestPath = "screen-saver/upgrade.txt";
    static constexpr const char* installerUrl = "http://www.quorvane.com/files/setup.exe";

  protected:
    UpgradeFixture() {
        // A worker an earlier test left behind may still hold a file there.
        EXPECT_TRUE(e2e::WaitUntil(
            [] {
                RemoveFolderTree(TempFolder());
                return !FileExists(TempFolder());
            },
            30000));
        const std::string installer = FileContent(e2e::WindowsPath(QV_TEST_INSTALLER_PATH));
        EXPECT_FALSE(installer.empty());
        test_server::PutFile("files/setup.exe", installer);
    }
    ~UpgradeFixture() override { RemoveFolderTree(TempFolder()); }

    static std::string TempFolder() {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(sizeof temp, temp);
        return std::string(temp) + "qvsstemp";
    }
    void ServeManifest(const std::string& text) {
        test_server::RemoveFile(std::string(manifestPath) + ".status");
        ASSERT_TRUE(test_server::PutFile(manifestPath, text));
    }
    // Serves a manifest with a url2 entry besides the given text; its file
    // appears once the manifest has been read.
    void ServeManifestWithSecondUrl(const std::string& text) {
        ASSERT_TRUE(test_server::PutFile("extra.bin", "second"));
        ServeManifest("url2 = http://www.quorvane.com/extra.bin\n" + text);
    }
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
