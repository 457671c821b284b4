#pragma once
#include <windows.h>

// A progress bar control of a dialog, bound by DDX_Control.
class CProgressCtrl {
  public:
    void Bind(HWND control) { handle = control; }
    HWND GetSafeHwnd() const { return handle; }
    // Returns the previous position, 0 when no control is bound.
    int SetPos(int position);

  private:
    HWND handle = nullptr;
};
