#pragma once
#include "classlib/Dialog.h"
#include "classlib/ProgressCtrl.h"
#include "upgrade/P256Line.h"
#include "upgrade/SystemCrypto.h"
#include "upgrade/UpgradeManifest.h"
#include "upgrade/VersionStrings.h"
#include "upgrade/XDownload.h"

#include <string>

// The online upgrade check of the configuration dialog, and the progress
// dialog of the installer download (template 106).
//
// Construction starts the download of the manifest and its signature
// ("upgrade.txt.sig") from the maker's web site into the temp folder's
// "qvsstemp"; without the system's cryptography nothing is fetched and nothing
// is ever offered. The owner polls PollManifest from a timer. The manifest
// counts only when the signature verifies under the program's public key over
// exactly the bytes read and it names its installer's SHA-256; anything else
// is dropped silently, before anything it names (url2 too) is fetched, and
// both files are deleted once read. Once PollManifest answers true,
// OfferUpgrade asks the user (when the manifest names a version other than
// the program's own) and downloads the installer with the progress dialog;
// the installer is started only when its hash matches, through a handle that
// keeps it from being changed in between (a Windows Installer package through
// msiexec), else it is deleted and the failure is shown. Deleting the object ends everything at
// once.
class UpgradeDlg : public CDialog {
  public:
    // ownVersion: the program's own texts; FileVersion is compared with the
    // manifest, ProductName is the caption of the messages.
    explicit UpgradeDlg(const VersionStrings& ownVersion);
    ~UpgradeDlg() override;

    // True once a manifest with a version and an installer URL is known;
    // false from the first OfferUpgrade on.
    bool PollManifest();
    // True when the installer download runs with its progress dialog.
    bool OfferUpgrade();

  protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange& exchange) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void ReadManifest();
    void OnProgressTimer();
    // Starts the downloaded installer when its content has the manifest's hash.
    bool StartCheckedInstaller(const std::string& path);

    const std::string ownFileVersion;
    const std::string productName;
    std::string tempFolder;
    SystemCrypto crypto;
    P256Bytes publicKey{};
    XDownload manifestDownload;
    XDownload installerDownload;
    XDownload secondDownload;
    bool asked = false;
    bool manifestTaken = false;
    UpgradeManifest offer;
    UINT_PTR timerId = 0;
    CProgressCtrl progress;
};
