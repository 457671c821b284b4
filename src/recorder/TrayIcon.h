// The icon in the notification area while recording; the window hears of
// clicks on it through its callback message.
#pragma once
#include <windows.h>

class TrayIcon {
  public:
    ~TrayIcon() { Remove(); }
    bool Add(HWND window, UINT callbackMessage, HICON icon, const char* tip);
    void Remove();

  private:
    NOTIFYICONDATAA data_ = {};
    bool shown_ = false;
};
