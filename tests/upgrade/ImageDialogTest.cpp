// The picture dialog and the About box in this process: each test dialog
// looks at what it drew into its back buffer at the first paint, then ends.
#include "upgrade/AboutBox.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace {
bool AnyPixel(HDC dc, COLORREF colour, const RECT& area) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (GetPixel(dc, x, y) == colour)
                return true;
    return false;
}

// Notes what the dialog looks like after its overlay at the first paint,
// then ends it. The plain picture dialog also draws and measures a link.
template <class Base>
class Observed : public Base {
  public:
    using Base::Base;
    bool prepared = true;
    bool painted = false;
    int seenWidth = 0, seenHeight = 0;
    RECT client = {}, measured = {10, 10, 10, 10};
    COLORREF corner = 0;
    bool anyWhiteAtVersion = false, anyBlackOnBottomLine = false;

  protected:
    bool Prepare() override { return prepared && Base::Prepare(); }
    void DrawOverlay(HDC dc) override {
        Base::DrawOverlay(dc);
        if constexpr (std::is_same_v<Base, ImageDialog>)
            this->DrawTextItem(dc, nullptr, nullptr, measured, 0, "http://example.invalid/",
                               RGB(0, 0, 255), RGB(255, 0, 0));
        painted = true;
        seenWidth = this->width;
        seenHeight = this->height;
        GetClientRect(this->GetSafeHwnd(), &client);
        corner = GetPixel(dc, seenWidth - 1, seenHeight - 1);
        anyWhiteAtVersion = AnyPixel(dc, RGB(255, 255, 255), {165, 45, 260, 66});
        anyBlackOnBottomLine = AnyPixel(dc, RGB(0, 0, 0), {0, 185, 400, 200});
        PostMessageA(this->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
};
}  // namespace

TEST(ImageDialog, WithoutPictureItIs400By200PixelsOfWhiteAndClosesAtOnceWhenNotPrepared) {
    Observed<ImageDialog> dialog;
    EXPECT_TRUE(dialog.Show(nullptr));
    ASSERT_TRUE(dialog.painted);
    EXPECT_EQ(dialog.seenWidth, 400);
    EXPECT_EQ(dialog.seenHeight, 200);
    EXPECT_EQ(dialog.client.right, 400);
    EXPECT_EQ(dialog.client.bottom, 200);
    EXPECT_EQ(dialog.corner, RGB(255, 255, 255));
    EXPECT_EQ(dialog.measured.left, 10);
    EXPECT_GT(dialog.measured.right, 10) << "the link address is measured as the text";
    EXPECT_GT(dialog.measured.bottom, 10);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    Observed<ImageDialog> unprepared;
    unprepared.prepared = false;
    EXPECT_TRUE(unprepared.Show(nullptr));
    EXPECT_FALSE(unprepared.painted);
}

// The version is drawn only when there is one, the copyright line (a default
// one without texts) always. Its size is tested in ConfigDialogE2ETest.
TEST(AboutBox, DrawsTheVersionWhenThereIsOneAndTheCopyrightAlways) {
    VersionStrings version;
    version.fileVersion = "2.5.1.0";
    version.legalCopyright = "Copyright (C) Test";
    for (const VersionStrings& texts : {version, VersionStrings()}) {
        Observed<AboutBox> about(texts);
        EXPECT_TRUE(about.Show(nullptr));
        ASSERT_TRUE(about.painted);
        EXPECT_EQ(about.anyWhiteAtVersion, !texts.fileVersion.empty());
        EXPECT_TRUE(about.anyBlackOnBottomLine);
    }
}
