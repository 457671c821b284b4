// The dialogs at a system DPI of 144 and 192. A program takes the DPI when it
// starts, so this program sets the DPI and runs itself again; that run makes
// the dialogs of the saver's resources and the About box in its own process
// and checks them: the font grown with the DPI, every control inside its
// dialog, apart from its neighbours and large enough for its text.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "e2e/Screenshot.h"
#include "e2e/SystemDpi.h"
#include "e2e/TestProcess.h"
#include "resources/ResourceIds.h"
#include "upgrade/AboutBox.h"

namespace {

const char kDpiVariable[] = "QV_DIALOG_DPI";

int DpiOfThisRun() {
    char value[16] = {};
    return GetEnvironmentVariableA(kDpiVariable, value, sizeof value) ? std::stoi(value) : 0;
}

std::string ScreenshotPath(const std::string& name) {
    const std::string folder = e2e::WindowsPath(QV_SCREENS_DIR);
    CreateDirectoryA(folder.substr(0, folder.rfind('\\')).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\" + name + "-" + std::to_string(DpiOfThisRun()) + ".png";
}

bool Inside(const RECT& r, const RECT& area) {
    return r.left >= area.left && r.top >= area.top && r.right <= area.right &&
           r.bottom <= area.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT common;
    return IntersectRect(&common, &a, &b) != FALSE;
}

// What the control's text needs in the control's font, and the room the
// control leaves it: a check box keeps its box and a gap, a push button its
// edges.
SIZE TextNeeds(HWND control) {
    char text[256] = {};
    GetWindowTextA(control, text, sizeof text);
    HDC dc = GetDC(control);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT extent = {};
    DrawTextA(dc, text, -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return {extent.right, extent.bottom};
}

SIZE TextRoom(HWND control, int dpi) {
    RECT client = {};
    GetClientRect(control, &client);
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Button") != 0)
        return {client.right, client.bottom};
    const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX)
        return {client.right - GetSystemMetrics(SM_CXMENUCHECK) - MulDiv(3, dpi, 96),
                client.bottom};
    return {client.right - 2 * MulDiv(3, dpi, 96), client.bottom - 2 * MulDiv(2, dpi, 96)};
}

void CheckDialog(HWND dialog, int dpi, const char* name) {
    SCOPED_TRACE(name);
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_NEAR(std::abs(font.lfHeight), MulDiv(8, dpi, 72), 1) << "8 points at the DPI";
    RECT client = {};
    GetClientRect(dialog, &client);
    std::vector<std::pair<int, RECT>> placed;
    for (HWND control = GetWindow(dialog, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(control);
        RECT r = {};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(Inside(r, client)) << "control " << id;
        for (const auto& [other, o] : placed)
            EXPECT_FALSE(Overlap(r, o)) << "controls " << id << " and " << other;
        placed.push_back({id, r});
        const SIZE needs = TextNeeds(control), room = TextRoom(control, dpi);
        EXPECT_LE(needs.cx, room.cx) << "the text of control " << id;
        EXPECT_LE(needs.cy, room.cy) << "the text of control " << id;
    }
    EXPECT_GE(placed.size(), 3u);
    EXPECT_TRUE(e2e::SavePng(e2e::CaptureWindow(dialog), ScreenshotPath(name)));
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// Where the About box's texts land, measured on white once it has been on
// the screen for a moment; then it ends.
class MeasuredAboutBox : public AboutBox {
  public:
    using AboutBox::AboutBox;
    RECT client = {}, copyright = {}, link = {};

  protected:
    void DrawOverlay(HDC dc) override {
        AboutBox::DrawOverlay(dc);
        SetTimer(GetSafeHwnd(), kMeasureTimer, 300, nullptr);
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message != WM_TIMER || wParam != kMeasureTimer)
            return AboutBox::OnMessage(message, wParam, lParam, result);
        KillTimer(GetSafeHwnd(), kMeasureTimer);
        GetClientRect(GetSafeHwnd(), &client);
        e2e::SavePng(e2e::CaptureWindow(GetSafeHwnd()), ScreenshotPath("about"));
        MeasureTexts();
        Close();
        return true;
    }

  private:
    static const UINT_PTR kMeasureTimer = 7;
    void MeasureTexts() {
        BITMAPINFO info = {};
        info.bmiHeader = {
            sizeof info.bmiHeader, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP white = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ previous = SelectObject(dc, white);
        PatBlt(dc, 0, 0, client.right, client.bottom, WHITENESS);
        AboutBox::DrawOverlay(dc);
        GdiFlush();
        copyright = link = {client.right, client.bottom, 0, 0};
        const auto* pixel = static_cast<const uint32_t*>(bits);
        for (LONG y = 0; y < client.bottom; ++y)
            for (LONG x = 0; x < client.right; ++x) {
                const uint32_t p = pixel[y * client.right + x] & 0xFFFFFF;
                RECT* box = p == 0 ? &copyright : p == 0x0000FF ? &link : nullptr;
                if (box)
                    *box = {std::min(box->left, x), std::min(box->top, y),
                            std::max(box->right, x + 1), std::max(box->bottom, y + 1)};
            }
        SelectObject(dc, previous);
        DeleteObject(white);
        DeleteDC(dc);
    }
};

}  // namespace

TEST(DialogDpi, DialogsGrowWithTheSystemDpiAt144And192) {
    if (DpiOfThisRun() != 0)
        GTEST_SKIP() << "the run at a set DPI";
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    for (DWORD dpi : {144u, 192u}) {
        const e2e::SystemDpi systemDpi(dpi);
        SetEnvironmentVariableA(kDpiVariable, std::to_string(dpi).c_str());
        e2e::TestProcess run;
        ASSERT_TRUE(run.Start(self, "--gtest_filter=DialogsAtTheSetDpi.*"));
        EXPECT_EQ(run.ExitCodeOrKill(120000), 0u) << "the run at " << dpi << " DPI";
        SetEnvironmentVariableA(kDpiVariable, nullptr);
    }
}

TEST(DialogsAtTheSetDpi, NothingIsClippedOrOverlapping) {
    const int dpi = DpiOfThisRun();
    if (dpi == 0)
        GTEST_SKIP() << "runs only as the second run";
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), dpi);
    ReleaseDC(nullptr, screen);
    InitCommonControls();
    const std::pair<int, const char*> dialogs[] = {{IDD_CONFIG, "config-dialog"},
                                                   {IDD_FILE_INFO, "file-info"},
                                                   {IDD_DOWNLOAD_PROGRESS, "progress"}};
    for (const auto& [id, name] : dialogs) {
        HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr,
                                         PlainDialogProc, 0);
        ASSERT_NE(dialog, nullptr) << name;
        ShowWindow(dialog, SW_SHOW);
        UpdateWindow(dialog);
        CheckDialog(dialog, dpi, name);
        DestroyWindow(dialog);
    }

    VersionStrings version;
    version.fileVersion = "1.0.33.0";
    version.legalCopyright = "Copyright (C) 2005 Quorvane";
    MeasuredAboutBox about(version);
    ASSERT_TRUE(about.Show(nullptr));
    EXPECT_EQ(about.client.right, MulDiv(400, dpi, 96)) << "the picture grows with the DPI";
    EXPECT_EQ(about.client.bottom, MulDiv(200, dpi, 96));
    for (const RECT& text : {about.copyright, about.link}) {
        EXPECT_TRUE(Inside(text, about.client));
        EXPECT_GE(text.bottom - text.top, MulDiv(7, dpi, 96)) << "the text grows with the DPI";
    }
    EXPECT_LT(about.copyright.right, about.link.left) << "the link follows the copyright line";
}
