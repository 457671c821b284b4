#pragma once
#include <windows.h>

namespace e2e {

// Real input through the system, as a user would give it; it reaches the
// window under the cursor or the foreground window.
inline void MoveCursorTo(int x, int y) {
    SetCursorPos(x, y);
}
void PressKeyAndRelease(WORD virtualKey);

enum class MouseButton { Left, Right, Middle };
void PressButton(MouseButton button);
void ReleaseButton(MouseButton button);

}  // namespace e2e
