#include "upgrade/ImageDialog.h"

#include "upgrade/ShellOpen.h"

#include <algorithm>

namespace {
const int defaultWidth = 400;
const int defaultHeight = 200;

bool Contains(const RECT& rect, POINT point) {
    return PtInRect(&rect, point) != FALSE;
}

// The system's GUI font, underlined when asked; the caller deletes it.
HFONT GuiFont(bool underlined) {
    LOGFONTA description = {};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    description.lfUnderline = underlined ? TRUE : FALSE;
    return CreateFontIndirectA(&description);
}
}  // namespace

ImageDialog::ImageDialog()
    : CDialog(&dialogTemplate.dialog),
      dialogTemplate{{WS_POPUP, 0, 0, 0, 0, static_cast<short>(defaultWidth),
                      static_cast<short>(defaultHeight)},
                     0,
                     0,
                     0} {}

bool ImageDialog::Show(HWND parent) {
    SetParentWindow(parent);
    shown = false;
    DoModal();
    return shown;
}

void ImageDialog::Close() {
    EndDialog(-1);
}

bool ImageDialog::LoadImage(HBITMAP&) {
    return false;
}

BOOL ImageDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    shown = true;
    const HWND window = GetSafeHwnd();
    HDC windowDc = GetDC(window);
    dpi = GetDeviceCaps(windowDc, LOGPIXELSY);
    const bool ready = Prepare() && MakeCanvases(windowDc);
    if (ready) {
        ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
        SetWindowPos(window, nullptr, 0, 0, Scaled(width), Scaled(height),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        CenterWindow();
        SetForegroundWindow(window);
    }
    ReleaseDC(window, windowDc);
    if (!ready)
        Close();
    return TRUE;
}

bool ImageDialog::MakeCanvases(HDC windowDc) {
    HBITMAP picture = nullptr;
    hasImage = LoadImage(picture) && image.Hold(picture, nullptr);
    if (hasImage && (width == 0 || height == 0)) {
        BITMAP size = {};
        GetObjectA(picture, sizeof size, &size);
        width = size.bmWidth;
        height = size.bmHeight;
    }
    width = width <= 0 ? defaultWidth : width;
    height = height <= 0 ? defaultHeight : height;
    return backBuffer.Hold(CreateCompatibleBitmap(windowDc, Scaled(width), Scaled(height)),
                           windowDc);
}

bool ImageDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_ERASEBKGND:
            result = TRUE;
            return true;
        case WM_PAINT:
            Paint();
            result = TRUE;
            return true;
        case WM_SETCURSOR:
            TrackCursor();
            result = TRUE;
            return true;
        case WM_LBUTTONUP:
            OnClick();
            result = TRUE;
            return true;
        case WM_DESTROY:
            OnDestroy();
            break;
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
}

void ImageDialog::Paint() {
    PAINTSTRUCT paint = {};
    HDC windowDc = BeginPaint(GetSafeHwnd(), &paint);
    hoveredLink.clear();
    linkTexts.clear();
    linkRects.clear();
    if (HDC back = backBuffer.Dc()) {
        const RECT all = {0, 0, Scaled(width), Scaled(height)};
        FillRect(back, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        if (hasImage) {
            SetStretchBltMode(back, HALFTONE);
            SetBrushOrgEx(back, 0, 0, nullptr);
            StretchBlt(back, 0, 0, all.right, all.bottom, image.Dc(), 0, 0, width, height, SRCCOPY);
        }
        DrawOverlay(back);
        BitBlt(windowDc, 0, 0, all.right, all.bottom, back, 0, 0, SRCCOPY);
    }
    EndPaint(GetSafeHwnd(), &paint);
}

void ImageDialog::DrawTextItem(HDC dc, HFONT font, const char* text, RECT& rect, COLORREF color,
                               const char* link, COLORREF linkColor, COLORREF hoverColor) {
    if (!text && !link)
        return;
    if (!text)
        text = link;
    HFONT temporaryFont = font ? nullptr : GuiFont(link != nullptr);
    HGDIOBJ previousFont = SelectObject(dc, font ? font : temporaryFont);
    const int previousMode = SetBkMode(dc, TRANSPARENT);

    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
    const UINT format = (rect.right > rect.left ? DT_SINGLELINE | DT_WORDBREAK : 0) | DT_NOPREFIX;
    DrawTextA(dc, text, -1, &rect, format | DT_CALCRECT);

    COLORREF textColor = color;
    if (link) {
        const bool hovered = Contains(rect, CursorInClient());
        if (hovered)
            hoveredLink = link;
        textColor = hovered ? hoverColor : linkColor;
        linkTexts.push_back(link);
        linkRects.push_back(rect);
    }
    const COLORREF previousColor = SetTextColor(dc, textColor);
    DrawTextA(dc, text, -1, &rect, format);

    SetTextColor(dc, previousColor);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
    if (temporaryFont)
        DeleteObject(temporaryFont);
}

POINT ImageDialog::CursorInClient() const {
    POINT cursor = {};
    GetCursorPos(&cursor);
    ScreenToClient(GetSafeHwnd(), &cursor);
    return cursor;
}

void ImageDialog::TrackCursor() {
    const POINT cursor = CursorInClient();
    const auto over = std::find_if(linkRects.begin(), linkRects.end(),
                                   [&](const RECT& r) { return Contains(r, cursor); });
    hoveredLink = over == linkRects.end() ? std::string() : linkTexts[over - linkRects.begin()];
    InvalidateRect(GetSafeHwnd(), nullptr, FALSE);
    SetCursor(LoadCursorA(nullptr, hoveredLink.empty() ? IDC_ARROW : IDC_HAND));
}

void ImageDialog::OnClick() {
    if (hoveredLink.empty()) {
        Close();
        return;
    }
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    ShellOpen(hoveredLink.c_str(), nullptr, 0);
    SetCursor(previous);
}

void ImageDialog::OnDestroy() {
    image.Reset();
    hasImage = false;
    backBuffer.Reset();
    Cleanup();
    width = 0;
    height = 0;
    hoveredLink.clear();
    linkTexts.clear();
    linkRects.clear();
}
