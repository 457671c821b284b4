#pragma once
#include "saver/ScreenSaverDlg.h"
#include "upgrade/VersionStrings.h"

#include <string>

// The configuration object: holder of the program's settings and version
// texts, and the configuration dialog (resource 2003).
class SaverConfigDlg : public CScreenSaverDlg {
public:
    SaverConfigDlg();

    // Moves the settings between the fields and the registry of the current user.
    BOOL LoadSettings();
    BOOL SaveSettings();

    VersionStrings versionStrings;
    std::string recordingPath; // empty: the recording appended to the program itself
    int autoRepeat = 1;
    int quickPlay = 0;
    int drawMouseClicks = 0;
    int scaleToFit = 1;

protected:
    void DoDataExchange(CDataExchange& exchange) override;
};
