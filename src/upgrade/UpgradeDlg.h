#pragma once
#include "classlib/Dialog.h"
#include "classlib/ProgressCtrl.h"
#include "upgrade/VersionStrings.h"
#include "upgrade/XDownload.h"

#include <string>

// The online upgrade check of the configuration dialog, and the progress
// dialog of the installer download (template 106).
//
// Construction starts the download of the manifest from the maker's web site
// into the temp folder's "qvsstemp". The owner polls PollManifest from a timer;
// once it answers true, OfferUpgrade asks the user (when the manifest names a
// version other than the program's own), downloads the installer with the
// progress dialog and starts it. Deleting the object ends everything at once.
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

    const std::string ownFileVersion;
    const std::string productName;
    std::string tempFolder;
    XDownload manifestDownload;
    XDownload installerDownload;
    XDownload secondDownload;
    bool asked = false;
    std::string manifestPath;
    std::string newVersion;
    std::string installerUrl;
    std::string secondUrl;
    UINT_PTR timerId = 0;
    CProgressCtrl progress;
};
