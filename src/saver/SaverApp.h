#pragma once
#include "saver/ScreenSaverApp.h"

class SaverConfigDlg;

// The program's application object; one global instance.
class SaverApp : public CScreenSaverApp {
  public:
    BOOL InitInstance() override;
    int ExitInstance() override;
    CScreenSaverWnd* CreateSaverWindow() override;
    CScreenSaverDlg* CreateConfigDialog() override;
    BOOL SaveSettings() override;
    BOOL LoadSettings() override;

  private:
    SaverConfigDlg* Config() const;
};
