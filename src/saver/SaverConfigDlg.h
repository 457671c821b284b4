#pragma once
#include "policy/SettingsPolicy.h"
#include "recording/ExeRecordingFile.h"
#include "recording/RecordingFile.h"
#include "saver/ScreenSaverDlg.h"
#include "upgrade/VersionStrings.h"

#include <memory>
#include <string>
#include <vector>

class UpgradeDlg;

// The configuration object: holder of the program's settings, version texts
// and the two recording readers, and the configuration dialog (resource 2003).
//
// While the dialog is open, a 500 ms timer polls the upgrade check until it
// has made its one offer (none when the policy turns the check off). OK saves
// the settings; Cancel (Esc, the close box) and a started recorder close
// without saving. Settings that the policy fixes show disabled.
class SaverConfigDlg : public CScreenSaverDlg {
  public:
    SaverConfigDlg();
    ~SaverConfigDlg() override;

    // Moves the settings between the fields and the registry of the current
    // user; loading reads the policy too, and what it fixes is never saved.
    BOOL LoadSettings();
    BOOL SaveSettings();
    // Starts the recorder program; true when its process was started.
    BOOL LaunchRecorder();
    // Keeps the name of the recording a folder began with at this start,
    // which the next shuffled start does not begin with.
    void SaveFirstRecording(const std::string& name);

    VersionStrings versionStrings;
    RecordingFile* currentFile;             // the reader in use: vqdFile or exeFile
    std::vector<RecordingFile*> fileTypes;  // the readers the file dialog offers
    ExeRecordingFile exeFile;               // recordings appended to an executable
    RecordingFile vqdFile;                  // "VQD file" recordings
    std::string recordingPath;              // empty: the recording appended to the program itself
    int autoRepeat = 1;
    int quickPlay = 0;
    int drawMouseClicks = 0;
    int scaleToFit = 1;
    int playOnEveryMonitor = 0;      // off: the other monitors stay black
    int shuffle = 0;                 // a folder plays in a new random order at each start
    std::string lastFirstRecording;  // the name a folder began with at the last start
    SettingsPolicy policy;           // as read by LoadSettings

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange& exchange) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void OnNewRecording();
    void OnFileInfo();
    void OnAbout();
    void OnBrowse();
    void OnBrowseFolder();
    void OnUpgradeTimer(UINT_PTR timerId);
    void OnDestroy();
    // Disables the controls of the settings that the policy fixes.
    void DisableFixedSettings();

    std::unique_ptr<UpgradeDlg> upgradeChecker;
    UINT_PTR upgradeTimerId = 0;
    bool upgradeDone = false;
};
