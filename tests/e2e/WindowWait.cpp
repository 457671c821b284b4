#include "e2e/WindowWait.h"

namespace e2e {

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool WaitForHandle(HANDLE handle, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        DWORD woken =
            MsgWaitForMultipleObjects(1, &handle, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0)
            return true;
        PumpMessages();
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs, HWND parent) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindWindowExA(parent, nullptr, className, title);
            return found && IsWindowVisible(found);
        },
        timeoutMs);
    return found && IsWindowVisible(found) ? found : nullptr;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

bool WaitUntilIdle(HANDLE process, HWND window, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
            return true;
        DWORD_PTR answer = 0;
        // A sent message is answered only once the window's thread asks for
        // messages again, after what it was handling before.
        if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 200, &answer) &&
            WaitForInputIdle(process, 200) == 0)
            return true;
        PumpMessages();
    }
    return false;
}

}  // namespace e2e
