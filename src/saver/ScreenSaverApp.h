#pragma once
#include "classlib/WinApp.h"

class CScreenSaverWnd;
class CScreenSaverDlg;

// The application of a screen saver: it makes the saver window object and the
// configuration object when the saver window or the configuration dialog
// receives its first message, and keeps both until the process ends.
class CScreenSaverApp : public CWinApp {
  public:
    CScreenSaverWnd* GetSaverWindow() const { return saverWindow; }
    CScreenSaverDlg* GetConfigDialog() const { return configDialog; }

    virtual CScreenSaverWnd* CreateSaverWindow() = 0;
    virtual CScreenSaverDlg* CreateConfigDialog() = 0;
    virtual BOOL SaveSettings();
    virtual BOOL LoadSettings();

    // The application object of the process, when it is a screen saver's.
    static CScreenSaverApp* Current();

  protected:
    CScreenSaverWnd* saverWindow = nullptr;
    CScreenSaverDlg* configDialog = nullptr;

    friend class FrameworkBridge;
};
