#pragma once
#include <windows.h>

// A window object attached to an existing window handle. Messages reach the
// object through Route(), one at a time in the order the window receives them;
// OnMessage() handles what the class knows and everything else goes to the
// virtual DefWindowProc(). The object never owns the window: destroying the
// object only detaches it, and the window's last message (WM_NCDESTROY)
// detaches it as well.
class CWnd {
  public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return handle; }

    BOOL Attach(HWND window);
    HWND Detach();
    static CWnd* FromHandlePermanent(HWND window);

    // Delivers one message of the attached window to the object.
    static LRESULT Route(CWnd* object, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The default processing of the message being routed.
    LRESULT Default();
    BOOL DestroyWindow();
    // Changes the extended style; with flags, the frame is then updated by
    // SetWindowPos with those flags added to a frame change that keeps the
    // window's place, size and z-order.
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    // Centres the window over its owner when the owner is visible, otherwise
    // on the work area, keeping it inside the work area.
    void CenterWindow();
    // The last window of the chain of owners, or the window itself when it
    // has no owner; null when no window is attached.
    HWND GetTopLevelOwner() const;

  protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Returns true when the message was handled; result is then the answer.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window's last message, once the object is detached.
    virtual void PostNcDestroy() {}

  private:
    struct RoutedMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    HWND handle = nullptr;
    const RoutedMessage* currentMessage = nullptr;
};
