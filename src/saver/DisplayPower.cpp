#include "saver/DisplayPower.h"

#include "saver/LibraryFunction.h"

namespace {
// The console's display (since Windows 8), and the monitor before it.
const GUID consoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
const GUID monitorPowerOn = {
    0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

using RegisterFunction = HPOWERNOTIFY(WINAPI*)(HANDLE recipient, LPCGUID setting, DWORD flags);
using UnregisterFunction = BOOL(WINAPI*)(HPOWERNOTIFY notification);

const LPARAM monitorOff = 2;
const LPARAM monitorOn = -1;

DisplayPower SettingChange(const POWERBROADCAST_SETTING* setting) {
    if (!setting || setting->DataLength < sizeof(DWORD) ||
        (!IsEqualGUID(setting->PowerSetting, consoleDisplayState) &&
         !IsEqualGUID(setting->PowerSetting, monitorPowerOn)))
        return DisplayPower::kUnchanged;
    DWORD state = 0;
    CopyMemory(&state, setting->Data, sizeof state);
    return state == 0 ? DisplayPower::kOff : DisplayPower::kOn;  // 2 is dimmed, still shown
}
}  // namespace

DisplayPower DisplayPowerOf(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_POWERBROADCAST && wParam == PBT_POWERSETTINGCHANGE)
        return SettingChange(reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam));
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MONITORPOWER) {
        if (lParam == monitorOff)
            return DisplayPower::kOff;
        if (lParam == monitorOn)
            return DisplayPower::kOn;
    }
    return DisplayPower::kUnchanged;  // low power still shows the picture
}

HPOWERNOTIFY RegisterDisplayPowerNotification(HWND window) {
    const auto registerFor = LibraryFunction<RegisterFunction>(GetModuleHandleA("user32.dll"),
                                                               "RegisterPowerSettingNotification");
    if (!registerFor)
        return nullptr;
    HPOWERNOTIFY notification =
        registerFor(window, &consoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
    return notification ? notification
                        : registerFor(window, &monitorPowerOn, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void UnregisterDisplayPowerNotification(HPOWERNOTIFY& notification) {
    const auto unregister = LibraryFunction<UnregisterFunction>(
        GetModuleHandleA("user32.dll"), "UnregisterPowerSettingNotification");
    if (notification && unregister)
        unregister(notification);
    notification = nullptr;
}
