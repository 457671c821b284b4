#include "classlib/Wnd.h"

#include <map>

namespace {
// Window handle → attached object. All windows of the program live on one thread.
std::map<HWND, CWnd*>& AttachedWindows()
{
    static std::map<HWND, CWnd*> windows;
    return windows;
}
} // namespace

CWnd::~CWnd()
{
    Detach();
}

BOOL CWnd::Attach(HWND window)
{
    if (handle || !window || FromHandlePermanent(window))
        return FALSE;
    handle = window;
    AttachedWindows()[window] = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND window = handle;
    if (window)
        AttachedWindows().erase(window);
    handle = nullptr;
    return window;
}

CWnd* CWnd::FromHandlePermanent(HWND window)
{
    auto found = AttachedWindows().find(window);
    return found == AttachedWindows().end() ? nullptr : found->second;
}

LRESULT CWnd::Route(CWnd* object, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
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

LRESULT CWnd::Default()
{
    if (!currentMessage)
        return 0;
    return DefWindowProc(currentMessage->message, currentMessage->wParam, currentMessage->lParam);
}

BOOL CWnd::DestroyWindow()
{
    return handle ? ::DestroyWindow(handle) : FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnMessage(message, wParam, lParam, result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

bool CWnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(handle, message, wParam, lParam);
}
