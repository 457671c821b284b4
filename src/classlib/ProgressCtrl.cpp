#include "classlib/ProgressCtrl.h"

#include <commctrl.h>

int CProgressCtrl::SetPos(int position) {
    if (!handle)
        return 0;
    return static_cast<int>(SendMessageA(handle, PBM_SETPOS, static_cast<WPARAM>(position), 0));
}
