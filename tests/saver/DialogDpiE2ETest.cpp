// The dialogs at a system DPI of 144 and 192 (a fractional and a whole scale:
// rounding clips differently). A program takes the DPI when it starts, so this
// program sets the DPI and runs itself again; that run makes the saver's
// dialogs and the About box and checks them: the font and the About box grown
// with the DPI, every control inside its dialog, apart from its neighbours and
// large enough for its text. Pictures for a person go to out/screens.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/Screenshot.h"
#include "e2e/SystemDpi.h"
#include "e2e/TestProcess.h"
#include "resources/ResourceIds.h"
#include "upgrade/AboutBox.h"

namespace {
int DpiOfThisRun() {
    char value[16] = {};
    return GetEnvironmentVariableA("QV_DIALOG_DPI", value, sizeof value) ? std::stoi(value) : 0;
}

void CheckDialog(HWND dialog, int dpi) {
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_NEAR(std::abs(font.lfHeight), MulDiv(8, dpi, 72), 1) << "8 points at the DPI";
    RECT client = {};
    GetClientRect(dialog, &client);
    std::vector<RECT> placed;
    for (HWND control = GetWindow(dialog, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
        SCOPED_TRACE(GetDlgCtrlID(control));
        RECT r = {}, common = {}, all = {}, needs = {};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(UnionRect(&all, &r, &client) && EqualRect(&all, &client)) << "inside";
        for (const RECT& other : placed)
            EXPECT_FALSE(IntersectRect(&common, &r, &other)) << "apart from the others";
        placed.push_back(r);
        // The text in the control's font fits the control, beside the box of a check box.
        char text[256] = {}, className[16] = {};
        GetWindowTextA(control, text, sizeof text);
        HDC dc = GetDC(control);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
        DrawTextA(dc, text, -1, &needs, DT_CALCRECT | DT_SINGLELINE);
        ReleaseDC(control, dc);
        GetClassNameA(control, className, sizeof className);
        const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
        const bool check =
            lstrcmpiA(className, "Button") == 0 && (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX);
        EXPECT_LE(needs.right + (check ? GetSystemMetrics(SM_CXMENUCHECK) : 0), r.right - r.left)
            << "the text fits";
        EXPECT_LE(needs.bottom, r.bottom - r.top) << "the text fits";
    }
    EXPECT_GE(placed.size(), 3u);
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// Notes its size at its first paint, then ends.
class MeasuredAboutBox : public AboutBox {
  public:
    using AboutBox::AboutBox;
    RECT client = {};

  protected:
    void DrawOverlay(HDC dc) override {
        AboutBox::DrawOverlay(dc);
        GetClientRect(GetSafeHwnd(), &client);
        PostMessageA(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
};
}  // namespace

TEST(DialogDpi, DialogsGrowWithTheSystemDpiAt144And192) {
    const int dpi = DpiOfThisRun();
    if (dpi == 0) {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, sizeof self);
        for (DWORD set : {144u, 192u}) {
            const e2e::SystemDpi systemDpi(set);
            SetEnvironmentVariableA("QV_DIALOG_DPI", std::to_string(set).c_str());
            e2e::TestProcess run;
            ASSERT_TRUE(run.Start(self, ""));
            EXPECT_EQ(run.ExitCodeOrKill(120000), 0u) << "the run at " << set << " DPI";
        }
        SetEnvironmentVariableA("QV_DIALOG_DPI", nullptr);
        return;
    }
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), dpi);
    ReleaseDC(nullptr, screen);
    InitCommonControls();
    const std::string folder = e2e::WindowsPath(QV_SCREENS_DIR);
    CreateDirectoryA(folder.substr(0, folder.rfind('\\')).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::pair<int, const char*> dialogs[] = {{IDD_CONFIG, "config-dialog"},
                                                   {IDD_FILE_INFO, "file-info"},
                                                   {IDD_DOWNLOAD_PROGRESS, "progress"}};
    for (const auto& [id, name] : dialogs) {
        SCOPED_TRACE(name);
        HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr,
                                         PlainDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        UpdateWindow(dialog);
        CheckDialog(dialog, dpi);
        EXPECT_TRUE(e2e::SavePng(e2e::CaptureWindow(dialog),
                                 folder + "\\" + name + "-" + std::to_string(dpi) + ".png"));
        DestroyWindow(dialog);
    }
    MeasuredAboutBox about(VersionStrings{});
    ASSERT_TRUE(about.Show(nullptr));
    EXPECT_EQ(about.client.right, MulDiv(400, dpi, 96)) << "the picture grows with the DPI";
    EXPECT_EQ(about.client.bottom, MulDiv(200, dpi, 96));
}
