#include "classlib/Wnd.h"

#include <map>

namespace {
// Window handle → attached object. All windows of the program live on one thread.
std::map<HWND, CWnd*>& AttachedWindows() {
    static std::map<HWND, CWnd*> windows;
    return windows;
}
}  // namespace

CWnd::~CWnd() {
    Detach();
}

BOOL CWnd::Attach(HWND window) {
    if (handle || !window || FromHandlePermanent(window))
        return FALSE;
    handle = window;
    AttachedWindows()[window] = this;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND window = handle;
    if (window)
        AttachedWindows().erase(window);
    handle = nullptr;
    return window;
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
    auto found = AttachedWindows().find(window);
    return found == AttachedWindows().end() ? nullptr : found->second;
}

LRESULT CWnd::Route(CWnd* object, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!object || object->handle != window)
        return ::DefWindowProcA(window, message, wParam, lParam);
    RoutedMessage routed{message, wParam, lParam};
    const RoutedMessage* outer = object->currentMessage;
    object->currentMessage = &routed;
    LRESULT result = object->WindowProc(message, wParam, lParam);
    object->currentMessage = outer;
    if (message == WM_NCDESTROY) {
        object->Detach();
        object->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::Default() {
    if (!currentMessage)
        return 0;
    return DefWindowProc(currentMessage->message, currentMessage->wParam, currentMessage->lParam);
}

BOOL CWnd::DestroyWindow() {
    return handle ? ::DestroyWindow(handle) : FALSE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    if (!handle)
        return FALSE;
    const DWORD style = static_cast<DWORD>(GetWindowLongA(handle, GWL_EXSTYLE));
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    SetWindowLongA(handle, GWL_EXSTYLE, static_cast<LONG>(changed));
    if (flags)
        SetWindowPos(
            handle, nullptr, 0, 0, 0, 0,
            flags | SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void CWnd::CenterWindow() {
    if (!handle)
        return;
    RECT workArea = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT area = workArea;
    const HWND owner = GetWindow(handle, GW_OWNER);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &area);
    RECT own = {};
    GetWindowRect(handle, &own);
    const LONG ownWidth = own.right - own.left, ownHeight = own.bottom - own.top;
    LONG left = (area.left + area.right - ownWidth) / 2;
    LONG top = (area.top + area.bottom - ownHeight) / 2;
    left = left + ownWidth > workArea.right ? workArea.right - ownWidth : left;
    top = top + ownHeight > workArea.bottom ? workArea.bottom - ownHeight : top;
    left = left < workArea.left ? workArea.left : left;
    top = top < workArea.top ? workArea.top : top;
    SetWindowPos(handle, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CWnd::GetTopLevelOwner() const {
    HWND window = handle;
    while (HWND owner = window ? GetWindow(window, GW_OWNER) : nullptr)
        window = owner;
    return window;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnMessage(message, wParam, lParam, result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

bool CWnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(handle, message, wParam, lParam);
}
