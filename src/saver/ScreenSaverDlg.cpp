#include "saver/ScreenSaverDlg.h"

#include "saver/ScreenSaverApp.h"

BOOL CScreenSaverDlg::OnInitDialog() {
    CScreenSaverApp* app = CScreenSaverApp::Current();
    if (!app || !app->LoadSettings())
        DestroyWindow();
    return CDialog::OnInitDialog();
}
