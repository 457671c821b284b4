#include "upgrade/UpgradeDlg.h"

#include "classlib/MessageBox.h"
#include "resources/ResourceIds.h"
#include "upgrade/HeldFile.h"
#include "upgrade/SignedManifest.h"
#include "upgrade/StartInstaller.h"
#include "upgrade/XFile.h"

#include <cstring>
#include <string_view>
#include <vector>

namespace {
const char* const manifestUrl = QV_WEB_SITE "screen-saver/upgrade.txt";
const char* const signatureUrl = QV_WEB_SITE "screen-saver/upgrade.txt.sig";
// The build's public key (QV_UPGRADE_PUBLIC_KEY in CMake), one base64 line.
const char* const upgradePublicKey = QV_UPGRADE_PUBLIC_KEY;
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

std::string_view Content(const XFile& file) {
    return std::string_view(file.GetData(), file.GetSize());
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
    if (!crypto.IsAvailable() ||
        !ParseP256Line(upgradePublicKey, std::strlen(upgradePublicKey), publicKey))
        return;
    manifestDownload.Add(manifestUrl, tempFolder, "", true);
    manifestDownload.Add(signatureUrl, tempFolder, "", true);
    manifestDownload.Start();
}

UpgradeDlg::~UpgradeDlg() {
    DestroyWindow();
}

bool UpgradeDlg::PollManifest() {
    if (asked)
        return false;
    if (!manifestTaken)
        ReadManifest();
    return !offer.version.empty() && !offer.installerUrl.empty();
}

void UpgradeDlg::ReadManifest() {
    if (!manifestDownload.IsDone(-1))
        return;
    manifestTaken = true;
    const std::string manifestPath = manifestDownload.GetPath(0);
    const std::string signaturePath = manifestDownload.GetPath(1);
    XFile manifest, signature;
    const bool loaded = !manifestDownload.IsFailed(-1) && manifest.Load(manifestPath.c_str()) &&
                        signature.Load(signaturePath.c_str());
    DeleteFileA(manifestPath.c_str());
    DeleteFileA(signaturePath.c_str());
    if (!loaded ||
        !ReadSignedManifest(crypto, publicKey, Content(manifest), Content(signature), offer))
        return;
    if (!offer.secondUrl.empty()) {
        secondDownload.Add(offer.secondUrl, tempFolder, secondFileName, false);
        secondDownload.Start();
    }
}

bool UpgradeDlg::OfferUpgrade() {
    asked = true;
    if (offer.version == ownFileVersion)
        return false;
    if (ShowResourceMessage(nullptr, IDS_UPGRADE_OFFER, productName,
                            MB_YESNO | MB_ICONQUESTION | MB_SYSTEMMODAL) != IDYES)
        return false;
    installerDownload.Add(offer.installerUrl, tempFolder, "", true);
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
    const std::string installer = installerDownload.GetPath(0);
    if (!installerDownload.IsFailed(-1) && StartCheckedInstaller(installer)) {
        DestroyWindow();
        return;
    }
    DeleteFileA(installer.c_str());
    DestroyWindow();
    ShowResourceMessage(nullptr, IDS_UPGRADE_FAILED, productName, MB_ICONERROR | MB_SYSTEMMODAL);
}

bool UpgradeDlg::StartCheckedInstaller(const std::string& path) {
    const HeldFile file(path);
    Sha256Digest digest;
    if (!file.Sha256(crypto, digest) || digest != offer.installerHash)
        return false;
    StartInstaller(path);
    return true;
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
