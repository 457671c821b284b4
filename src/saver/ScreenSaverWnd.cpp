#include "saver/ScreenSaverWnd.h"

#include "saver/SaverFramework.h"
#include "saver/ScreenSaverApp.h"

void CScreenSaverWnd::OnDraw(HDC) {}

void CScreenSaverWnd::OnSaverCreated() {}

bool CScreenSaverWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_CREATE:
            result = OnCreate();
            return true;
        case WM_ERASEBKGND:
            if (eraseBackground) {
                RECT client = {};
                GetClientRect(GetSafeHwnd(), &client);
                FillRect(reinterpret_cast<HDC>(wParam), &client,
                         static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            }
            result = TRUE;
            return true;
        case WM_PAINT:
            OnPaint();
            result = 0;
            return true;
    }
    return CWnd::OnMessage(message, wParam, lParam, result);
}

LRESULT CScreenSaverWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSaverWindowProc(GetSafeHwnd(), message, wParam, lParam);
}

LRESULT CScreenSaverWnd::OnCreate() {
    if (Default() == -1)
        return -1;
    CScreenSaverApp* app = CScreenSaverApp::Current();
    if (!app || !app->LoadSettings())
        return -1;
    OnSaverCreated();
    return 0;
}

void CScreenSaverWnd::OnPaint() {
    PAINTSTRUCT paint;
    HDC context = BeginPaint(GetSafeHwnd(), &paint);
    OnDraw(context);
    EndPaint(GetSafeHwnd(), &paint);
}
