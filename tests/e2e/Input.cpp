#include "e2e/Input.h"

namespace e2e {
namespace {
void SendMouse(DWORD flags, DWORD data = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    SendInput(1, &input, sizeof input);
}

void SendKey(WORD virtualKey, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

DWORD ButtonFlag(MouseButton button, bool down) {
    switch (button) {
        case MouseButton::Left:
            return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        case MouseButton::Right:
            return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
        case MouseButton::Middle:
            break;
    }
    return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
}
}  // namespace

void MoveCursorTo(int x, int y) {
    SetCursorPos(x, y);
}

void MoveCursorBy(int dx, int dy) {
    POINT position = {};
    GetCursorPos(&position);
    SetCursorPos(position.x + dx, position.y + dy);
}

void PressKey(WORD virtualKey) {
    SendKey(virtualKey, 0);
}

void ReleaseKey(WORD virtualKey) {
    SendKey(virtualKey, KEYEVENTF_KEYUP);
}

void PressKeyAndRelease(WORD virtualKey) {
    PressKey(virtualKey);
    ReleaseKey(virtualKey);
}

void PressButton(MouseButton button) {
    SendMouse(ButtonFlag(button, true));
}

void ReleaseButton(MouseButton button) {
    SendMouse(ButtonFlag(button, false));
}

void TurnWheel(int notches) {
    SendMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(notches * WHEEL_DELTA));
}

}  // namespace e2e
