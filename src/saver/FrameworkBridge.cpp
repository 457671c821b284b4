// The bridge between the framework's saver window and configuration dialog and
// the application's objects: the application is brought up at the first
// message, every message is routed to the object attached to the window, and
// the process ends with exit code 0 after the window's last message.
#include "saver/SaverFramework.h"
#include "saver/ScreenSaverApp.h"
#include "saver/ScreenSaverDlg.h"
#include "saver/ScreenSaverWnd.h"

#include <commctrl.h>

class FrameworkBridge {
  public:
    [[noreturn]] static void Terminate(CScreenSaverApp* app) {
        app->saverWindow = nullptr;
        app->configDialog = nullptr;
        app->Terminate();
        HANDLE self = OpenProcess(PROCESS_TERMINATE, FALSE, GetCurrentProcessId());
        TerminateProcess(self, 0);
        ExitProcess(0);
    }

    [[noreturn]] static void ExitAndTerminate(CScreenSaverApp* app) {
        app->ExitInstance();
        Terminate(app);
    }

    static void StartUp(CScreenSaverApp* app) {
        app->Startup(GetModuleHandleA(nullptr), GetCommandLineA(), 0);
    }

    static void BringUpForWindow(CScreenSaverApp* app, HWND window) {
        StartUp(app);
        app->saverWindow = app->CreateSaverWindow();
        if (!app->saverWindow)
            Terminate(app);
        app->saverWindow->Attach(window);
        app->mainWnd = app->saverWindow;
        app->configDialog = app->CreateConfigDialog();
        if (!app->InitInstance())
            ExitAndTerminate(app);
    }

    static void BringUpForDialog(CScreenSaverApp* app, HWND dialog) {
        StartUp(app);
        app->configDialog = app->CreateConfigDialog();
        if (!app->configDialog)
            Terminate(app);
        app->configDialog->Attach(dialog);
        app->mainWnd = app->configDialog;
        app->saverWindow = app->CreateSaverWindow();
        if (!app->InitInstance())
            ExitAndTerminate(app);
    }
};

LRESULT SaverWindowHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CScreenSaverApp* app = CScreenSaverApp::Current();
    if (!app)
        return 0;
    if (!app->GetSaverWindow())
        FrameworkBridge::BringUpForWindow(app, window);
    LRESULT result = CWnd::Route(app->GetSaverWindow(), window, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        FrameworkBridge::ExitAndTerminate(app);
    return result;
}

INT_PTR CALLBACK ConfigDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    CScreenSaverApp* app = CScreenSaverApp::Current();
    if (!app)
        return 0;
    if (!app->GetConfigDialog())
        FrameworkBridge::BringUpForDialog(app, dialog);
    if (message == WM_INITDIALOG) {
        CDialog* object = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(dialog));
        return object ? object->OnInitDialog() : 1;
    }
    INT_PTR result =
        CDialog::RouteDialogMessage(app->GetConfigDialog(), dialog, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        FrameworkBridge::ExitAndTerminate(app);
    return result;
}

// The dialogs use the common controls (the progress bar of the download);
// without them only the download's progress dialog cannot be made.
BOOL PrepareDialogClasses(HINSTANCE) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    return TRUE;
}
