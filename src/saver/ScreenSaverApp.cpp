#include "saver/ScreenSaverApp.h"

BOOL CScreenSaverApp::SaveSettings() {
    return TRUE;
}

BOOL CScreenSaverApp::LoadSettings() {
    return TRUE;
}

CScreenSaverApp* CScreenSaverApp::Current() {
    return dynamic_cast<CScreenSaverApp*>(CWinApp::Current());
}
