#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace e2e {

// Every wait here keeps the calling thread's windows answering: messages are
// dispatched while waiting, so other processes can send to them.

// Waits until the condition holds; false after the timeout.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// A shown top-level window (or a child of parent) of the class and title;
// null after the timeout. A window is shown once it has been created in full.
HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs,
                   HWND parent = nullptr);
// Waits until the window no longer exists.
inline bool WaitForWindowGone(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}
// Waits until the process has handled its pending messages and input and
// waits for more (or has ended).
bool WaitUntilIdle(HANDLE process, HWND window, DWORD timeoutMs);
// Dispatches the calling thread's pending messages.
void PumpMessages();

// A window of this thread, to own dialogs or hold a preview (its messages
// pumped once).
HWND MakeWindow(HWND parent = nullptr, DWORD style = WS_POPUP | WS_VISIBLE,
                const char* windowClass = "STATIC");
// The text of a dialog's control, also of another process.
std::string ControlText(HWND dialog, int id);
// A click on a dialog's button, as the button tells its dialog.
inline void Click(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

}  // namespace e2e
