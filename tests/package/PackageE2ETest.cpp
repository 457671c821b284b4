// The Windows Installer packages of dist/ under the system's msiexec, silent
// (/qn), in a Wine prefix of this program's own: where they put the saver,
// the tools and the recorder key, that the installed (signed) saver runs and
// plays the demo it carries, that removing leaves nothing but the user's
// settings, and that a newer version replaces an older one while an older one
// is refused. The next version is packed at build time from the build's own
// programs and the stand-in recorder.
#include "SaverProgram.h"

#include "e2e/Input.h"
#include "e2e/Registry.h"
#include "e2e/Screenshot.h"
#include "e2e/WindowWait.h"
#include "resources/ResourceIds.h"

#include <windows.h>

#include <msi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

using namespace saver_e2e;

namespace {

const DWORD msiexecLimitMs = 120000;
const char* const settingsKey = "Software\\Quorvane\\Screen Saver";
const std::string productName = "Quorvane Screen Saver";
const std::string ownVersion = "1.0.33.0";

// One architecture's package and where Windows puts what it installs, as a
// process of this program's architecture sees it.
struct Package {
    std::string arch;
    std::string upgradeCode;  // never to change: it ties every version together
    std::string systemFolder;
    std::string programFiles;
    std::string softwareKey;  // HKEY_LOCAL_MACHINE's Software in the package's view

    std::string Msi() const {
        return e2e::WindowsPath(QV_DIST_DIR "/QuorvaneSaver-" + arch + ".msi");
    }
    std::string Programs() const {
        return e2e::WindowsPath(std::string(QV_DIST_DIR) + (arch == "x64" ? "/x64" : ""));
    }
    std::string Saver() const { return systemFolder + "\\QuorvaneSaver.scr"; }
    std::string ToolFolder() const { return programFiles + "\\Quorvane\\Screen Saver\\"; }
    std::string RecorderKey() const { return softwareKey + "\\Quorvane\\Screen Recorder"; }
};

std::string Folder(UINT(WINAPI* get)(LPSTR, UINT)) {
    char path[MAX_PATH + 1] = {};
    const UINT length = get(path, MAX_PATH);
    return length > 0 && length <= MAX_PATH ? path : "";
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The upgrade codes of packaging/QuorvaneSaver.wxs.
const char* const x64UpgradeCode = "{31FFA122-6602-479A-9DED-1F63543B10E2}";
const char* const x86UpgradeCode = "{08F8863B-9366-4E4A-B8C7-4F9D32EFBCFA}";

// The package of this program's architecture.
Package OwnPackage() {
    const bool x64 = sizeof(void*) == 8;
    return {x64 ? "x64" : "x86", x64 ? x64UpgradeCode : x86UpgradeCode, Folder(GetSystemDirectoryA),
            Environment("ProgramFiles"), "Software"};
}

// Whether both files exist and have the same bytes.
bool SameContent(const std::string& a, const std::string& b) {
    std::ifstream inA(a, std::ios::binary), inB(b, std::ios::binary);
    using Bytes = std::istreambuf_iterator<char>;
    return inA && inB && std::string(Bytes(inA), {}) == std::string(Bytes(inB), {});
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The system's msiexec with the arguments; its exit code.
DWORD Msiexec(const std::string& arguments) {
    e2e::TestProcess msiexec;
    if (!msiexec.Start(Folder(GetSystemDirectoryA) + "\\msiexec.exe", arguments))
        return e2e::TestProcess::killedExitCode;
    return msiexec.ExitCodeOrKill(msiexecLimitMs);
}

// The installed products of the package's upgrade code.
std::vector<std::string> Installed(const Package& p) {
    std::vector<std::string> products;
    char code[39] = {};
    for (DWORD i = 0; MsiEnumRelatedProductsA(p.upgradeCode.c_str(), 0, i, code) == ERROR_SUCCESS;
         ++i)
        products.push_back(code);
    return products;
}

std::string ProductInfo(const std::string& product, const char* property) {
    char value[MAX_PATH + 1] = {};
    DWORD size = sizeof value;
    return MsiGetProductInfoA(product.c_str(), property, value, &size) == ERROR_SUCCESS ? value
                                                                                        : "<none>";
}

// What "Apps & features" shows of the one installed product: name,
// version and publisher of its uninstall entry, and whether its icon exists.
std::string AppsEntry(const Package& p) {
    const std::vector<std::string> products = Installed(p);
    if (products.size() != 1)
        return std::to_string(products.size()) + " products";
    const std::string key =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + products[0];
    const auto text = [&](const char* name) {
        return e2e::ReadString(key, name, HKEY_LOCAL_MACHINE).value_or("<none>");
    };
    const bool icon = Exists(ProductInfo(products[0], INSTALLPROPERTY_PRODUCTICON));
    return text("DisplayName") + "|" + text("DisplayVersion") + "|" + text("Publisher") +
           (icon ? "|icon" : "|no icon");
}

// The files of the programs folder installed, the recorder where the folder
// has it, and the recorder key.
void ExpectInstalled(const Package& p, const std::string& programs) {
    const bool recorder = Exists(programs + "\\grabora.exe");
    for (const auto& [installed, packed] :
         {std::pair(p.Saver(), programs + "\\QuorvaneSaver.scr"),
          std::pair(p.ToolFolder() + "vqdtool.exe", programs + "\\vqdtool.exe")})
        EXPECT_TRUE(SameContent(installed, packed)) << installed << " is not " << packed;
    EXPECT_EQ(recorder, Exists(p.ToolFolder() + "grabora.exe"));
    if (recorder) {
        EXPECT_TRUE(SameContent(p.ToolFolder() + "grabora.exe", programs + "\\grabora.exe"));
    }
    EXPECT_EQ(e2e::ReadString(p.RecorderKey(), "", HKEY_LOCAL_MACHINE), p.ToolFolder());
}

void ExpectRemoved(const Package& p) {
    EXPECT_FALSE(Exists(p.Saver()));
    EXPECT_FALSE(Exists(p.programFiles + "\\Quorvane")) << "the folders go too";
    EXPECT_FALSE(e2e::ReadString(p.RecorderKey(), "", HKEY_LOCAL_MACHINE).has_value());
    EXPECT_TRUE(Installed(p).empty());
}

// The share of the picture that is not black.
double Lit(const e2e::Picture& picture) {
    size_t lit = 0;
    for (uint32_t pixel : picture.pixels)
        lit += (pixel & 0xFFFFFF) != 0;
    return picture.pixels.empty() ? 0 : double(lit) / double(picture.pixels.size());
}

class Packages : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Exists(own.Msi())) << own.Msi() << " is missing: `make package` makes it";
        e2e::DeleteKeyTree(settingsKey);
    }
    const Package own = OwnPackage();
};

}  // namespace

// The saver full screen plays the demo the signed file carries (which
// signing-tests.sh reads with vqdtool); the configuration dialog opens and
// makes the user's settings, which stay. The next version replaces this one:
// one product, the new files (a saver without the demo, the stand-in recorder,
// which the dialog's "New..." finds through the recorder key). Going back is
// refused and changes nothing.
TEST_F(Packages, InstallRunUpgradeAndRemove) {
    ASSERT_EQ(Msiexec("/i \"" + own.Msi() + "\" /qn"), 0u);
    ExpectInstalled(own, own.Programs());
    EXPECT_EQ(AppsEntry(own), productName + "|" + ownVersion + "|Quorvane|icon");
    e2e::TestProcess saver;
    HWND window = StartFullScreen(saver, own.Saver());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntilReady(saver, window));
    EXPECT_TRUE(e2e::WaitUntil([&] { return Lit(e2e::CaptureWindow(window)) > 0.5; }, timeoutMs))
        << "the demo shows";
    e2e::PressKeyAndRelease(VK_SPACE);
    EXPECT_EQ(ExitCodeAfterWindowGone(saver, window), 0u);
    ASSERT_TRUE(saver.Start(own.Saver(), "/c"));
    HWND dialog = WaitForConfigDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(CancelDialog(saver, dialog), 0u);
    EXPECT_TRUE(e2e::ReadString(settingsKey, "Path").has_value());

    const std::string next = e2e::WindowsPath(QV_NEXT_PACKAGE);
    const std::string nextPrograms = e2e::WindowsPath(QV_NEXT_PROGRAMS);
    ASSERT_EQ(Msiexec("/i \"" + next + "\" /qn"), 0u);
    EXPECT_EQ(AppsEntry(own), productName + "|" QV_NEXT_VERSION "|Quorvane|icon");
    ExpectInstalled(own, nextPrograms);
    ASSERT_TRUE(saver.Start(own.Saver(), "/c"));
    dialog = WaitForConfigDialog();
    ASSERT_NE(dialog, nullptr);
    e2e::Click(dialog, IDC_NEW_RECORDING);
    EXPECT_EQ(saver.ExitCodeOrKill(timeoutMs), 0u) << "the dialog closes once the recorder runs";
    const std::string ran = own.ToolFolder() + "grabora.exe.ran";
    EXPECT_TRUE(e2e::WaitUntil([&] { return Exists(ran); }, timeoutMs));
    DeleteFileA(ran.c_str());
    EXPECT_NE(Msiexec("/i \"" + own.Msi() + "\" /qn"), 0u) << "no downgrade";
    EXPECT_EQ(AppsEntry(own), productName + "|" QV_NEXT_VERSION "|Quorvane|icon");
    ExpectInstalled(own, nextPrograms);
    ASSERT_EQ(Msiexec("/x \"" + next + "\" /qn"), 0u);
    ExpectRemoved(own);
    EXPECT_TRUE(e2e::ReadString(settingsKey, "Path").has_value()) << "the user's settings stay";
}

#ifdef _WIN64
namespace {
// The 32-bit package as 64-bit Windows installs it: into the WOW64 folders.
Package X86OnX64() {
    return {"x86", x86UpgradeCode, Folder(GetSystemWow64DirectoryA),
            Environment("ProgramFiles(x86)"), "Software\\Wow6432Node"};
}
}  // namespace

// On 64-bit Windows the 32-bit package installs beside the 64-bit one, into
// SysWOW64, Program Files (x86) and the 32-bit registry view, and goes again
// by itself. Its 32-bit saver runs only where this kernel runs 32-bit programs.
TEST_F(Packages, The32BitPackageInstallsBesideIntoTheWow64Folders) {
    const Package x86 = X86OnX64();
    ASSERT_EQ(Msiexec("/i \"" + own.Msi() + "\" /qn"), 0u);
    ASSERT_EQ(Msiexec("/i \"" + x86.Msi() + "\" /qn"), 0u);
    ExpectInstalled(x86, x86.Programs());
    ExpectInstalled(own, own.Programs());
    EXPECT_EQ(Installed(x86).size(), 1u);
    if (Environment("QV_HOST_RUNS_X86") == "yes") {
        e2e::TestProcess saver;
        HWND window = StartFullScreen(saver, x86.Saver());
        ASSERT_NE(window, nullptr);
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(ExitCodeAfterWindowGone(saver, window), 0u);
    } else {
        std::cout << "[ NOTE     ] the 32-bit saver of the x86 package is not started: this "
                     "kernel cannot run 32-bit programs\n";
    }
    ASSERT_EQ(Msiexec("/x \"" + x86.Msi() + "\" /qn"), 0u);
    ExpectRemoved(x86);
    ExpectInstalled(own, own.Programs());
    ASSERT_EQ(Msiexec("/x \"" + own.Msi() + "\" /qn"), 0u);
    ExpectRemoved(own);
}
#endif
