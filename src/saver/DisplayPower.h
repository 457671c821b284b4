// The display going off and coming back, as the system tells a window: the
// console display state notification (registered where the system offers
// it) and the older monitor-power system command.
#pragma once
#include <windows.h>

enum class DisplayPower { kUnchanged, kOff, kOn };

// What a message of the window says about the display.
DisplayPower DisplayPowerOf(UINT message, WPARAM wParam, LPARAM lParam);

// Asks for display state notifications to the window; null where the system
// has no such notification.
HPOWERNOTIFY RegisterDisplayPowerNotification(HWND window);
void UnregisterDisplayPowerNotification(HPOWERNOTIFY& notification);
