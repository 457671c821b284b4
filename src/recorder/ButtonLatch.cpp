#include "recorder/ButtonLatch.h"

#include <windows.h>

#include <atomic>

namespace {
// One hook per process: the capture thread's.
HHOOK hook = nullptr;
std::atomic<bool> pressed[2];

LRESULT CALLBACK NotePress(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN))
        pressed[message == WM_RBUTTONDOWN] = true;
    return CallNextHookEx(hook, code, message, data);
}
}  // namespace

bool ButtonLatch::Install() {
    Remove();
    pressed[0] = pressed[1] = false;
    hook = SetWindowsHookExA(WH_MOUSE_LL, NotePress, GetModuleHandleA(nullptr), 0);
    return hook != nullptr;
}

void ButtonLatch::Remove() {
    if (hook)
        UnhookWindowsHookEx(hook);
    hook = nullptr;
}

bool ButtonLatch::TakePress(int button) {
    return pressed[button].exchange(false);
}
