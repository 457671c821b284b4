#include "upgrade/AboutBox.h"

#include "resources/ResourceIds.h"

namespace {
// The copyright line when the version resource has none.
const char* const defaultCopyright = "Copyright (C) Quorvane. All rights reserved.";

const COLORREF white = RGB(255, 255, 255);
const COLORREF black = RGB(0, 0, 0);
const COLORREF linkBlue = RGB(0, 0, 255);
const COLORREF hoverRed = RGB(255, 0, 0);

HFONT MakeFont(int height, int weight, bool underlined) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, underlined ? TRUE : FALSE, FALSE, 0,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                       "MS Sans Serif");
}

void DeleteFont(HFONT& font) {
    if (font)
        DeleteObject(font);
    font = nullptr;
}
}  // namespace

AboutBox::AboutBox(const VersionStrings& version) : version(version) {}

AboutBox::~AboutBox() {
    Cleanup();
}

bool AboutBox::Prepare() {
    versionText = !version.fileVersion.empty() ? version.fileVersion : version.productVersion;
    copyrightText = !version.legalCopyright.empty() ? version.legalCopyright : defaultCopyright;
    linkText = QV_WEB_SITE;
    boldFont = MakeFont(Scaled(14), FW_BOLD, false);
    normalFont = MakeFont(Scaled(14), FW_NORMAL, false);
    linkFont = MakeFont(Scaled(14), FW_NORMAL, true);
    return true;
}

void AboutBox::Cleanup() {
    DeleteFont(boldFont);
    DeleteFont(normalFont);
    DeleteFont(linkFont);
}

bool AboutBox::LoadImage(HBITMAP& bitmap) {
    bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_ABOUT_PICTURE));
    return bitmap != nullptr;
}

void AboutBox::DrawOverlay(HDC dc) {
    RECT versionRect = {Scaled(170), Scaled(50), Scaled(170), Scaled(50)};
    DrawTextItem(dc, boldFont, versionText.c_str(), versionRect, white, nullptr, 0, 0);
    RECT copyrightRect = {Scaled(20), Scaled(185), Scaled(20), Scaled(185)};
    DrawTextItem(dc, normalFont, copyrightText.c_str(), copyrightRect, black, nullptr, 0, 0);
    const LONG linkLeft = copyrightRect.right + Scaled(5);
    RECT linkRect = {linkLeft, Scaled(185), linkLeft, Scaled(185)};
    DrawTextItem(dc, linkFont, nullptr, linkRect, 0, linkText.c_str(), linkBlue, hoverRed);
}
