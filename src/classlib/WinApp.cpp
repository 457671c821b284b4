#include "classlib/WinApp.h"

namespace {
CWinApp* currentApp = nullptr;
}

CWinApp::CWinApp() {
    currentApp = this;
}

CWinApp::~CWinApp() {
    if (currentApp == this)
        currentApp = nullptr;
}

CWinApp* CWinApp::Current() {
    return currentApp;
}

void CWinApp::Startup(HINSTANCE startInstance, const char* startCommandLine, int startShowCommand) {
    instance = startInstance;
    commandLine = startCommandLine ? startCommandLine : "";
    showCommand = startShowCommand;
    started = true;
}

void CWinApp::Terminate() {
    mainWnd = nullptr;
    instance = nullptr;
    commandLine.clear();
    showCommand = SW_SHOWDEFAULT;
    started = false;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}
