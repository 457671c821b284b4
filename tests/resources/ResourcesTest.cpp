// The built saver's generated resources: the icon's sizes and the manifest.
// The texts it shows are found in its boxes and the dialogs are checked by
// driving them end to end, the click indicator by playing a recording
// (PlaybackE2ETest).
#include "e2e/TestProcess.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {
class Resources : public ::testing::Test {
  protected:
    void SetUp() override {
        module = LoadLibraryExA(e2e::WindowsPath(QV_SAVER_PATH).c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
    }
    void TearDown() override { FreeLibrary(module); }
    const BYTE* Data(const char* type, UINT id, DWORD* size = nullptr) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
        if (found && size)
            *size = SizeofResource(module, found);
        return found ? static_cast<const BYTE*>(LockResource(LoadResource(module, found)))
                     : nullptr;
    }
    HMODULE module = nullptr;
};
}  // namespace

TEST_F(Resources, IconHasThreeSizes) {
    const BYTE* group = Data(MAKEINTRESOURCEA(14), IDI_SAVER);
    ASSERT_NE(group, nullptr);
    std::set<int> sizes;
    for (int i = 0; i < (group[4] | group[5] << 8); ++i)
        sizes.insert(group[6 + 14 * i]);
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
}

TEST_F(Resources, Manifest) {
    DWORD size = 0;
    const BYTE* manifest = Data(MAKEINTRESOURCEA(24), 1, &size);
    ASSERT_NE(manifest, nullptr);
    const std::string text(reinterpret_cast<const char*>(manifest), size);
    for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "<dpiAware", ">PerMonitorV2", "level=\"asInvoker\""})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}
