#include "recorder/RegionPicker.h"

#include <algorithm>

#include "recorder/RecordingSession.h"

namespace {

const char kClassName[] = "QuorvaneRegionPicker";

struct Picking {
    RECT screen;       // the virtual screen
    HDC still;         // the screen as it was, in a memory context
    POINT anchor, at;  // the drag in screen coordinates
    bool dragging, done, picked;
};

RECT Dragged(const Picking& p) {
    return RECT{std::min(p.anchor.x, p.at.x), std::min(p.anchor.y, p.at.y),
                std::max(p.anchor.x, p.at.x) + 1, std::max(p.anchor.y, p.at.y) + 1};
}

POINT ScreenPoint(const Picking& p, LPARAM lParam) {
    return POINT{p.screen.left + short(LOWORD(lParam)), p.screen.top + short(HIWORD(lParam))};
}

void Paint(HWND window, const Picking& p) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    BitBlt(dc, 0, 0, p.screen.right - p.screen.left, p.screen.bottom - p.screen.top, p.still, 0, 0,
           SRCCOPY);
    if (p.dragging) {
        RECT r = Dragged(p);
        OffsetRect(&r, -p.screen.left, -p.screen.top);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FrameRect(dc, &r, red);
        InflateRect(&r, 1, 1);
        FrameRect(dc, &r, red);
        DeleteObject(red);
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK PickerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* p = reinterpret_cast<Picking*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!p)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_PAINT:
            Paint(window, *p);
            return 0;
        case WM_LBUTTONDOWN:
            p->anchor = p->at = ScreenPoint(*p, lParam);
            p->dragging = true;
            SetCapture(window);
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_MOUSEMOVE:
            if (p->dragging) {
                p->at = ScreenPoint(*p, lParam);
                InvalidateRect(window, nullptr, FALSE);
            }
            return 0;
        case WM_LBUTTONUP:
            if (p->dragging) {
                p->at = ScreenPoint(*p, lParam);
                p->picked = p->done = true;
                ReleaseCapture();
            }
            return 0;
        case WM_RBUTTONDOWN:
            p->done = true;
            return 0;
        case WM_KEYDOWN:
            p->done = p->done || wParam == VK_ESCAPE;
            return 0;
        case WM_SETCURSOR:
            SetCursor(LoadCursor(nullptr, IDC_CROSS));
            return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool PickRegion(RECT& picked) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PickerProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);

    Picking p = {VirtualScreen(), nullptr, {}, {}, false, false, false};
    const int width = p.screen.right - p.screen.left, height = p.screen.bottom - p.screen.top;
    HDC screen = GetDC(nullptr);
    p.still = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(p.still, bitmap);
    BitBlt(p.still, 0, 0, width, height, screen, p.screen.left, p.screen.top, SRCCOPY);
    ReleaseDC(nullptr, screen);

    HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, "Select a region",
                                  WS_POPUP, p.screen.left, p.screen.top, width, height, nullptr,
                                  nullptr, instance, nullptr);
    if (window) {
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&p));
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        MSG message;
        while (!p.done && GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        DestroyWindow(window);
    }
    SelectObject(p.still, previous);
    DeleteObject(bitmap);
    DeleteDC(p.still);
    picked = Dragged(p);
    return p.picked;
}
