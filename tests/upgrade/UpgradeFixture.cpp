#include "UpgradeFixture.h"

#include "DownloadTestFolder.h"

#include "classlib/MessageBox.h"
#include "e2e/TestProcess.h"
#include "resources/ResourceIds.h"

UpgradeFixture::UpgradeFixture()
{
    RemoveFolderTree(TempFolder());
    const std::string installer = FileContent(e2e::WindowsPath(QV_TEST_INSTALLER_PATH));
    EXPECT_FALSE(installer.empty());
    test_server::PutFile("files/setup.exe", installer);
}

UpgradeFixture::~UpgradeFixture()
{
    RemoveFolderTree(TempFolder());
}

std::string UpgradeFixture::TempFolder()
{
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "qvsstemp";
}

void UpgradeFixture::ServeManifest(const std::string& text)
{
    test_server::RemoveFile(std::string(manifestPath) + ".status");
    ASSERT_TRUE(test_server::PutFile(manifestPath, text));
}

void UpgradeFixture::ServeManifestWithSecondUrl(const std::string& text)
{
    ASSERT_TRUE(test_server::PutFile("extra.bin", "second"));
    ServeManifest("url2 = http://www.quorvane.com/extra.bin\n" + text);
}

bool UpgradeFixture::SecondFileArrived()
{
    return FileContent(TempFolder() + "\\upgrade.tmp") == "second";
}

std::map<std::string, int> UpgradeFixture::Answers(int offer, int cancel)
{
    return {{LoadResourceString(IDS_UPGRADE_OFFER), offer}, {LoadResourceString(IDS_UPGRADE_CANCEL), cancel}};
}

HWND UpgradeFixture::ProgressDialog(DWORD process)
{
    HWND dialog = FindWindowA("#32770", "Downloading");
    DWORD owner = 0;
    GetWindowThreadProcessId(dialog, &owner);
    return dialog && owner == process ? dialog : nullptr;
}
