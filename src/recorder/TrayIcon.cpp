#include "recorder/TrayIcon.h"

#include <cstring>

bool TrayIcon::Add(HWND window, UINT callbackMessage, HICON icon, const char* tip) {
    Remove();
    data_ = {};
    data_.cbSize = sizeof data_;
    data_.hWnd = window;
    data_.uID = 1;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = callbackMessage;
    data_.hIcon = icon;
    strncpy(data_.szTip, tip, sizeof data_.szTip - 1);
    shown_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
    return shown_;
}

void TrayIcon::Remove() {
    if (shown_)
        Shell_NotifyIconA(NIM_DELETE, &data_);
    shown_ = false;
}
