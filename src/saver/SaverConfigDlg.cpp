#include "saver/SaverConfigDlg.h"

#include "resources/ResourceIds.h"
#include "saver/ScreenSaverApp.h"
#include "upgrade/UpgradeDlg.h"
#include "upgrade/VersionInfo.h"

#include <new>

namespace {
const UINT_PTR upgradeTimer = 1;
const UINT upgradePollMs = 500;
}  // namespace

SaverConfigDlg::SaverConfigDlg() : CScreenSaverDlg(IDD_CONFIG), currentFile(&vqdFile) {
    vqdFile.Initialize();
    exeFile.Initialize();
    fileTypes = {&vqdFile, &exeFile};
}

SaverConfigDlg::~SaverConfigDlg() {
    upgradeChecker.reset();
    vqdFile.Release();
    exeFile.Release();
}

// The version texts serve the dialog's commands and the upgrade check only,
// so the full-screen saver never reads them.
BOOL SaverConfigDlg::OnInitDialog() {
    CScreenSaverDlg::OnInitDialog();
    VersionInfo version;
    if (version.Open())
        version.Fill(versionStrings);
    version.Close();
    if (policy.AllowsUpgradeCheck())
        upgradeChecker.reset(new (std::nothrow) UpgradeDlg(versionStrings));
    upgradeTimerId = SetTimer(GetSafeHwnd(), upgradeTimer, upgradePollMs, nullptr);
    if (upgradeTimerId == 0)
        return FALSE;
    upgradeDone = false;
    CenterWindow();
    UpdateData(FALSE);
    DisableFixedSettings();
    return TRUE;
}

void SaverConfigDlg::DoDataExchange(CDataExchange& exchange) {
    DDX_Text(exchange, IDC_RECORDING_PATH, recordingPath);
    DDX_Check(exchange, IDC_AUTO_REPEAT, autoRepeat);
    DDX_Check(exchange, IDC_QUICK_PLAY, quickPlay);
    DDX_Check(exchange, IDC_DRAW_MOUSE_CLICKS, drawMouseClicks);
    DDX_Check(exchange, IDC_SCALE_TO_FIT, scaleToFit);
    DDX_Check(exchange, IDC_EVERY_MONITOR, playOnEveryMonitor);
    DDX_Check(exchange, IDC_SHUFFLE, shuffle);
}

void SaverConfigDlg::OnOK() {
    if (CScreenSaverApp* app = CScreenSaverApp::Current()) {
        UpdateData(TRUE);
        app->SaveSettings();
    }
    EndDialog(IDOK);
}

// Asks the top-level owner to close as well, but only a window of this
// program: the owner of the configuration dialog is usually another
// program's window (the one in front when the dialog was asked for).
void SaverConfigDlg::OnCancel() {
    const HWND owner = GetTopLevelOwner();
    DWORD ownerProcess = 0;
    if (owner && GetWindowThreadProcessId(owner, &ownerProcess) &&
        ownerProcess == GetCurrentProcessId())
        PostMessageA(owner, WM_CLOSE, 0, 0);
    EndDialog(IDCANCEL);
}

bool SaverConfigDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_NEW_RECORDING:
                    OnNewRecording();
                    return true;
                case IDC_FILE_INFO:
                    OnFileInfo();
                    return true;
                case IDC_ABOUT:
                    OnAbout();
                    return true;
                case IDC_BROWSE:
                    OnBrowse();
                    return true;
                case IDC_BROWSE_FOLDER:
                    OnBrowseFolder();
                    return true;
            }
            break;
        case WM_TIMER:
            OnUpgradeTimer(wParam);
            break;
        case WM_DESTROY:
            OnDestroy();
            break;
    }
    return CScreenSaverDlg::OnMessage(message, wParam, lParam, result);
}

void SaverConfigDlg::OnUpgradeTimer(UINT_PTR timerId) {
    if (timerId == upgradeTimerId && upgradeChecker && !upgradeDone &&
        upgradeChecker->PollManifest())
        upgradeDone = upgradeChecker->OfferUpgrade();
}

void SaverConfigDlg::OnDestroy() {
    if (upgradeTimerId != 0) {
        KillTimer(GetSafeHwnd(), upgradeTimerId);
        upgradeTimerId = 0;
        upgradeDone = false;
    }
    upgradeChecker.reset();
}
