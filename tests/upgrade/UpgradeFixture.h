#pragma once
#include "ProxySetting.h"
#include "TestServer.h"

#include <gtest/gtest.h>

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
    UpgradeFixture();
    ~UpgradeFixture() override;

    static std::string TempFolder();
    void ServeManifest(const std::string& text);
    // Serves a manifest with a url2 entry besides the given text; its file
    // appears once the manifest has been read.
    void ServeManifestWithSecondUrl(const std::string& text);
    static bool SecondFileArrived();
    // The answers to the upgrade question and to the cancel confirmation.
    static std::map<std::string, int> Answers(int offer, int cancel = IDNO);
    // The download's progress dialog of the process, when it is shown.
    static HWND ProgressDialog(DWORD process = GetCurrentProcessId());

    ProxySetting proxy{test_server::HostAndPort()};
};
