#pragma once
#include "upgrade/ImageDialog.h"
#include "upgrade/VersionStrings.h"

#include <string>

// The About box: the About picture (bitmap 102) with the program's version,
// its copyright line and the maker's web-site address as a link.
class AboutBox : public ImageDialog {
  public:
    // version: the program's own version texts; they must outlive the box.
    explicit AboutBox(const VersionStrings& version);
    ~AboutBox() override;

  protected:
    bool Prepare() override;
    void Cleanup() override;
    bool LoadImage(HBITMAP& bitmap) override;
    void DrawOverlay(HDC dc) override;

  private:
    const VersionStrings& version;
    HFONT boldFont = nullptr;
    HFONT normalFont = nullptr;
    HFONT linkFont = nullptr;
    std::string versionText;
    std::string copyrightText;
    std::string linkText;
};
