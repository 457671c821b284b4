// The global hot key that stops a recording: Ctrl+Shift+F9, or the first of a
// few others when another program holds it.
#pragma once
#include <windows.h>

#include <string>

class StopHotKey {
  public:
    ~StopHotKey() { Unregister(); }
    // Registers the first free key for the window (WM_HOTKEY); false when none is free.
    bool Register(HWND window);
    void Unregister();
    // The key as the user presses it, e.g. "Ctrl+Shift+F9"; empty when none.
    const std::string& Name() const { return name_; }

  private:
    HWND window_ = nullptr;
    std::string name_;
};
