#include "e2e/TestProcess.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <string>

namespace {
// The built saver's resources, read from its file.
class Resources : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        InitCommonControls();
        module = LoadLibraryExA(e2e::WindowsPath(QV_SAVER_PATH).c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() { FreeLibrary(module); }

    void SetUp() override { ASSERT_NE(module, nullptr); }

    static const BYTE* Data(const char* type, UINT id, DWORD* size = nullptr) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
        if (!found)
            return nullptr;
        if (size)
            *size = SizeofResource(module, found);
        return static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    }

    static std::string String(UINT id) {
        char text[2048] = {};
        LoadStringA(module, id, text, sizeof text);
        return text;
    }

    static const BITMAPINFOHEADER* Bitmap(UINT id) {
        return reinterpret_cast<const BITMAPINFOHEADER*>(Data(MAKEINTRESOURCEA(2), id));
    }

    static HMODULE module;
};
HMODULE Resources::module = nullptr;

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

std::string Text(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Pixel (x, y) of a bottom-up 24-bit bitmap resource, as 0xRRGGBB.
unsigned Pixel(const BITMAPINFOHEADER* header, int x, int y) {
    const BYTE* bits = reinterpret_cast<const BYTE*>(header) + header->biSize;
    int stride = (header->biWidth * 3 + 3) / 4 * 4;
    const BYTE* p = bits + (header->biHeight - 1 - y) * stride + x * 3;
    return p[2] << 16 | p[1] << 8 | p[0];
}
}  // namespace

TEST_F(Resources, IconHasThreeSizes) {
    const BYTE* group = Data(MAKEINTRESOURCEA(14), IDI_SAVER);
    ASSERT_NE(group, nullptr);
    int count = group[4] | group[5] << 8;
    std::set<int> sizes;
    for (int i = 0; i < count; ++i)
        sizes.insert(group[6 + 14 * i]);
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
}

TEST_F(Resources, PicturesAre24BitOfTheirSizes) {
    for (const auto& [id, width, height] :
         {std::tuple{IDB_ABOUT_PICTURE, 400, 200}, {IDB_CLICK_MARKS, 96, 32}}) {
        const BITMAPINFOHEADER* picture = Bitmap(id);
        ASSERT_NE(picture, nullptr) << id;
        EXPECT_EQ(picture->biWidth, width);
        EXPECT_EQ(picture->biHeight, height);
        EXPECT_EQ(picture->biBitCount, 24);
    }
}

TEST_F(Resources, ClickIndicatorHasAMouseAndTwoButtonCellsOnMagenta) {
    const BITMAPINFOHEADER* marks = Bitmap(IDB_CLICK_MARKS);
    ASSERT_NE(marks, nullptr);
    const unsigned magenta = 0xFF00FF, red = 0xFF0000, grey = 0xC0C0C0, black = 0;
    EXPECT_EQ(Pixel(marks, 0, 0), magenta);
    int mouse = 0, left = 0, right = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 96; ++x) {
            unsigned pixel = Pixel(marks, x, y);
            if (pixel == magenta)
                continue;
            int cell = x / 32, cx = x % 32;
            EXPECT_GE(y, 5);
            EXPECT_TRUE(cx >= 3 && cx <= 29) << x << "," << y;
            if (cell == 0) {
                EXPECT_TRUE(pixel == grey || pixel == black) << x << "," << y;
                ++mouse;
            } else {
                EXPECT_EQ(pixel, red) << x << "," << y;
                ++(cell == 1 ? left : right);
            }
        }
    EXPECT_GT(mouse, 300);
    EXPECT_GT(left, 20);
    EXPECT_GT(right, 20);
    EXPECT_NE(Pixel(marks, 32 + 8, 12), magenta) << "left button in the upper left of the mouse";
}

TEST_F(Resources, StringsCarryTheTexts) {
    const std::pair<UINT, const char*> strings[] = {
        {IDS_DESCRIPTION, "Quorvane Screen Saver"},
        {IDS_UPGRADE_OFFER,
         "A new version of this program is discovered!\n\nWould you like to upgrade to the latest "
         "version now?"},
        {IDS_UPGRADE_CANCEL,
         "Download is in progress! Are you sure to cancel now?\n\nIf you cancel now, "
         "you may re-download it some time later."},
        {IDS_UPGRADE_FAILED,
         "Failed to download the latest version of this program!\n\nPlease try again later."},
        {IDS_CANNOT_OPEN,
         "Can not open the file:\n\n%s\n\nMaybe the file's format is not correct."}};
    for (const auto& [id, text] : strings)
        EXPECT_EQ(String(id), text) << id;
    const std::string missing = String(IDS_RECORDER_MISSING);
    EXPECT_EQ(missing.rfind("Quorvane Screen Recorder is not found on your computer!\n\n", 0), 0u);
    EXPECT_NE(missing.find("\n\n" QV_WEB_SITE "\n\n"), std::string::npos);
    EXPECT_NE(missing.find("Would you like to go to our website now?"), std::string::npos);
}

TEST_F(Resources, ConfigurationDialogHasItsControls) {
    HWND dialog =
        CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_CONFIG), nullptr, PlainDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog), "Quorvane Screen Saver");
    EXPECT_EQ(GetDlgItem(dialog, IDCANCEL), nullptr) << "no Cancel button";
    const std::pair<int, const char*> controls[] = {
        {IDOK, "&OK"},
        {IDC_NEW_RECORDING, "&New..."},
        {IDC_FILE_INFO, "&File Info..."},
        {IDC_ABOUT, "&About..."},
        {IDC_RECORDING_PATH, ""},
        {IDC_BROWSE, "..."},
        {IDC_AUTO_REPEAT, "Auto repeat."},
        {IDC_QUICK_PLAY, "Quick play."},
        {IDC_DRAW_MOUSE_CLICKS, "Draw mouse clicks."},
        {IDC_SCALE_TO_FIT, "Scale video to fit screen."},
        {IDC_EVERY_MONITOR, "Play on every monitor"}};
    for (const auto& [id, text] : controls) {
        HWND control = GetDlgItem(dialog, id);
        ASSERT_NE(control, nullptr) << id;
        EXPECT_EQ(Text(control), text) << id;
    }
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_SCALE_TO_FIT), WM_GETDLGCODE, 0, 0) & DLGC_BUTTON,
              DLGC_BUTTON);
    DestroyWindow(dialog);
}

TEST_F(Resources, FileInfoAndProgressDialogsHaveTheirControls) {
    HWND info =
        CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_FILE_INFO), nullptr, PlainDialogProc, 0);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(Text(info), "File info");
    for (int id : {IDC_INFO_TITLE, IDC_INFO_AUTHOR, IDC_INFO_DESCRIPTION, IDOK, IDCANCEL})
        EXPECT_NE(GetDlgItem(info, id), nullptr) << id;
    EXPECT_EQ(Text(GetDlgItem(info, IDC_INFO_LENGTH)), "00:00:00");
    EXPECT_EQ(Text(GetDlgItem(info, IDC_INFO_RATE)), "0 frames/sec.");
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(info, IDC_INFO_DESCRIPTION), GWL_STYLE) & ES_MULTILINE);
    DestroyWindow(info);

    HWND progress = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_DOWNLOAD_PROGRESS), nullptr,
                                       PlainDialogProc, 0);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(Text(progress), "Downloading");
    EXPECT_TRUE(IsWindowVisible(progress));
    char className[64] = {};
    GetClassNameA(GetDlgItem(progress, IDC_DOWNLOAD_PROGRESS), className, sizeof className);
    EXPECT_STREQ(className, PROGRESS_CLASSA);
    EXPECT_EQ(Text(GetDlgItem(progress, IDCANCEL)), "Cancel");
    DestroyWindow(progress);
}

TEST_F(Resources, ManifestAsksForCommonControls6DpiAwarenessAndNoElevation) {
    DWORD size = 0;
    const BYTE* manifest = Data(MAKEINTRESOURCEA(24), 1, &size);
    ASSERT_NE(manifest, nullptr);
    std::string text(reinterpret_cast<const char*>(manifest), size);
    for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "<dpiAware", ">PerMonitorV2", "level=\"asInvoker\""})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}
