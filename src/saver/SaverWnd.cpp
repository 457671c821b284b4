#include "saver/SaverWnd.h"

void SaverWnd::OnDraw(HDC paintContext)
{
    if (!paintContext)
        return;
    RECT client = {};
    GetClientRect(GetSafeHwnd(), &client);
    FillRect(paintContext, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
