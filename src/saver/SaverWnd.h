#pragma once
#include "saver/ScreenSaverWnd.h"

// The program's saver window. It paints the whole window black.
class SaverWnd : public CScreenSaverWnd {
public:
    void OnDraw(HDC paintContext) override;
};
