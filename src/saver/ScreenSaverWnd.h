#pragma once
#include "classlib/Wnd.h"

// The object of the saver window. Its default processing ends in the
// framework's dismissal rules; creation loads the application's settings
// first and fails when they cannot be loaded.
class CScreenSaverWnd : public CWnd {
  public:
    virtual void OnDraw(HDC paintContext);
    virtual void OnSaverCreated();

    int eraseBackground = 1;  // WM_ERASEBKGND paints black when non-zero

  protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    LRESULT OnCreate();
    void OnPaint();
};
