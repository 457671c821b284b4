#pragma once
#include "recording/ExeRecordingFile.h"
#include "recording/RecordingFile.h"
#include "saver/ScreenSaverDlg.h"
#include "upgrade/VersionStrings.h"

#include <string>
#include <vector>

// The configuration object: holder of the program's settings, version texts
// and the two recording readers, and the configuration dialog (resource 2003).
class SaverConfigDlg : public CScreenSaverDlg {
public:
    SaverConfigDlg();
    ~SaverConfigDlg() override;

    // Moves the settings between the fields and the registry of the current user.
    BOOL LoadSettings();
    BOOL SaveSettings();

    VersionStrings versionStrings;
    RecordingFile* currentFile;           // the reader in use: vqdFile or exeFile
    std::vector<RecordingFile*> fileTypes; // the readers the file dialog offers
    ExeRecordingFile exeFile;              // recordings appended to an executable
    RecordingFile vqdFile;                 // "VQD file" recordings
    std::string recordingPath; // empty: the recording appended to the program itself
    int autoRepeat = 1;
    int quickPlay = 0;
    int drawMouseClicks = 0;
    int scaleToFit = 1;

protected:
    void DoDataExchange(CDataExchange& exchange) override;
};
