#include "upgrade/UpgradeDlg.h"

#include "classlib/MessageBox.h"
#include "resources/ResourceIds.h"
#include "upgrade/KeyValueFile.h"
#include "upgrade/LaunchProcess.h"

#include <vector>

namespace {
const char* const manifestUrl = QV_WEB_SITE "screen-saver/upgrade.txt";
const char* const userAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)";
const char* const secondFileName = "upgrade.tmp";
const UINT_PTR progressTimer = 1;
const UINT progressPeriodMs = 200;

std::string TempFolder() {
    std::vector<char> path(MAX_PATH + 1, '\0');
    DWORD length = GetTempPathA(static_cast<DWORD>(path.size()), path.data());
    if (length >= path.size()) {
        path.assign(length + 1, '\0');
        length = GetTempPathA(static_cast<DWORD>(path.size()), path.data());
    }
    return std::string(path.data(), length < path.size() ? length : 0) + "qvsstemp";
}
}  // namespace

UpgradeDlg::UpgradeDlg(const VersionStrings& ownVersion)
    : CDialog(IDD_DOWNLOAD_PROGRESS),
      ownFileVersion(ownVersion.fileVersion),
      productName(ownVersion.productName),
      tempFolder(TempFolder()) {
    manifestDownload.SetUserAgent(userAgent);
    installerDownload.SetUserAgent(userAgent);
    secondDownload.SetUserAgent(userAgent);
    manifestDownload.Add(manifestUrl, tempFolder, "", true);
    manifestDownload.Start();
}

UpgradeDlg::~UpgradeDlg() {
    DestroyWindow();
}

bool UpgradeDlg::PollManifest() {
    if (asked)
        return false;
    if (manifestPath.empty())
        ReadManifest();
    return !newVersion.empty() && !installerUrl.empty();
}

void UpgradeDlg::ReadManifest() {
    if (!manifestDownload.IsDone(-1) || manifestDownload.IsFailed(-1))
        return;
    manifestPath = manifestDownload.GetPath(0);
    if (manifestPath.empty())
        return;
    const KeyValueText manifest = ReadKeyValueFile(manifestPath.c_str());
    manifest.GetValue("version", newVersion);
    manifest.GetValue("url", installerUrl);
    manifest.GetValue("url2", secondUrl);
    if (!secondUrl.empty()) {
        secondDownload.Add(secondUrl, tempFolder, secondFileName, false);
        secondDownload.Start();
    }
}

bool UpgradeDlg::OfferUpgrade() {
    asked = true;
    if (newVersion == ownFileVersion)
        return false;
    if (ShowResourceMessage(nullptr, IDS_UPGRADE_OFFER, productName,
                            MB_YESNO | MB_ICONQUESTION | MB_SYSTEMMODAL) != IDYES)
        return false;
    installerDownload.Add(installerUrl, tempFolder, "", true);
    installerDownload.Start();
    return Create() != FALSE;
}

BOOL UpgradeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    timerId = SetTimer(GetSafeHwnd(), progressTimer, progressPeriodMs, nullptr);
    if (timerId == 0)
        EndDialog(IDCANCEL);
    return TRUE;
}

void UpgradeDlg::DoDataExchange(CDataExchange& exchange) {
    DDX_Control(exchange, IDC_DOWNLOAD_PROGRESS, progress);
}

bool UpgradeDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_TIMER && timerId != 0 && wParam == timerId)
        OnProgressTimer();
    else if (message == WM_DESTROY)
        timerId = 0;
    return CDialog::OnMessage(message, wParam, lParam, result);
}

void UpgradeDlg::OnProgressTimer() {
    progress.SetPos(static_cast<int>(installerDownload.GetPercent()));
    if (!installerDownload.IsDone(-1))
        return;
    if (installerDownload.IsFailed(-1)) {
        DestroyWindow();
        ShowResourceMessage(nullptr, IDS_UPGRADE_FAILED, productName,
                            MB_ICONERROR | MB_SYSTEMMODAL);
        return;
    }
    const std::string installer = installerDownload.GetPath(0);
    LaunchProcess(installer.c_str(), nullptr, 0);
    DestroyWindow();
}

void UpgradeDlg::OnCancel() {
    if (ShowResourceMessage(GetSafeHwnd(), IDS_UPGRADE_CANCEL, productName,
                            MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    KillTimer(GetSafeHwnd(), timerId);
    timerId = 0;
    installerDownload.Stop(XDownload::waitForever);
    EndDialog(IDCANCEL);
}
