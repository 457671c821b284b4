#include "saver/SaverApp.h"

#include "saver/SaverConfigDlg.h"
#include "saver/SaverWnd.h"

#include <new>

BOOL SaverApp::InitInstance() {
    return TRUE;
}

int SaverApp::ExitInstance() {
    delete saverWindow;
    saverWindow = nullptr;
    delete configDialog;
    configDialog = nullptr;
    return CScreenSaverApp::ExitInstance();
}

CScreenSaverWnd* SaverApp::CreateSaverWindow() {
    SaverWnd* window = new (std::nothrow) SaverWnd;
    if (window)
        window->eraseBackground = 0;
    return window;
}

CScreenSaverDlg* SaverApp::CreateConfigDialog() {
    return new (std::nothrow) SaverConfigDlg;
}

SaverConfigDlg* SaverApp::Config() const {
    return static_cast<SaverConfigDlg*>(GetConfigDialog());
}

BOOL SaverApp::SaveSettings() {
    return Config() ? Config()->SaveSettings() : FALSE;
}

BOOL SaverApp::LoadSettings() {
    return Config() ? Config()->LoadSettings() : FALSE;
}
