#include "recorder/RecorderApp.h"

#include <commctrl.h>

#include "recorder/RecorderDlg.h"

int RecorderApp::Run() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    RecorderDlg window;
    mainWnd = &window;
    window.DoModal();
    mainWnd = nullptr;
    return ExitInstance();
}
