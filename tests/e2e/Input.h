#pragma once
#include <windows.h>

namespace e2e {

// Real input through the system, as a user would give it; it reaches the
// window under the cursor or the foreground window.
void MoveCursorTo(int x, int y);
void MoveCursorBy(int dx, int dy);
void PressKey(WORD virtualKey);
void ReleaseKey(WORD virtualKey);
void PressKeyAndRelease(WORD virtualKey);

enum class MouseButton { Left, Right, Middle };
void PressButton(MouseButton button);
void ReleaseButton(MouseButton button);
void TurnWheel(int notches);

}  // namespace e2e
