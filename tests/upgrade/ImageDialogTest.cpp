// The picture dialog and the About box in this process: each test dialog
// looks at what it drew into its back buffer at the first paint, then ends.
#include "upgrade/AboutBox.h"

#include <gtest/gtest.h>

namespace {
struct FirstPaint {
    bool painted = false;
    int width = 0, height = 0;
    RECT client = {};
    COLORREF corner = 0;
    RECT measured = {};
    bool anyWhiteAtVersion = false;
    bool anyBlackOnBottomLine = false;
};

bool AnyPixel(HDC dc, COLORREF colour, const RECT& area)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (GetPixel(dc, x, y) == colour)
                return true;
    return false;
}

// Notes what the dialog looks like after its overlay, then ends it.
template <class Dialog>
void NoteAndEnd(Dialog& dialog, HDC dc, FirstPaint& seen, int width, int height)
{
    seen.painted = true;
    seen.width = width;
    seen.height = height;
    GetClientRect(dialog.GetSafeHwnd(), &seen.client);
    seen.corner = GetPixel(dc, width - 1, height - 1);
    seen.anyWhiteAtVersion = AnyPixel(dc, RGB(255, 255, 255), {165, 45, 260, 66});
    seen.anyBlackOnBottomLine = AnyPixel(dc, RGB(0, 0, 0), {0, 185, 400, 200});
    PostMessageA(dialog.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

class PlainImageDialog : public ImageDialog {
public:
    bool prepared = true;
    FirstPaint seen;

protected:
    bool Prepare() override { return prepared; }
    void DrawOverlay(HDC dc) override
    {
        RECT item = {10, 10, 10, 10};
        DrawTextItem(dc, nullptr, nullptr, item, 0, "http://example.invalid/", RGB(0, 0, 255), RGB(255, 0, 0));
        NoteAndEnd(*this, dc, seen, width, height);
        seen.measured = item;
    }
};

class ObservedAboutBox : public AboutBox {
public:
    using AboutBox::AboutBox;
    FirstPaint seen;

protected:
    void DrawOverlay(HDC dc) override
    {
        AboutBox::DrawOverlay(dc);
        NoteAndEnd(*this, dc, seen, width, height);
    }
};
} // namespace

TEST(ImageDialog, WithoutPictureItIs400By200PixelsOfWhite)
{
    PlainImageDialog dialog;
    EXPECT_TRUE(dialog.Show(nullptr));
    ASSERT_TRUE(dialog.seen.painted);
    EXPECT_EQ(dialog.seen.width, 400);
    EXPECT_EQ(dialog.seen.height, 200);
    EXPECT_EQ(dialog.seen.client.right, 400);
    EXPECT_EQ(dialog.seen.client.bottom, 200);
    EXPECT_EQ(dialog.seen.corner, RGB(255, 255, 255));
    EXPECT_EQ(dialog.seen.measured.left, 10);
    EXPECT_GT(dialog.seen.measured.right, 10) << "the link address is measured as the text";
    EXPECT_GT(dialog.seen.measured.bottom, 10);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST(ImageDialog, FailedPreparationClosesAtOnce)
{
    PlainImageDialog dialog;
    dialog.prepared = false;
    EXPECT_TRUE(dialog.Show(nullptr));
    EXPECT_FALSE(dialog.seen.painted);
}

TEST(AboutBox, TakesItsSizeFromThePictureAndDrawsTheTexts)
{
    VersionStrings version;
    version.fileVersion = "2.5.1.0";
    version.legalCopyright = "Copyright (C) Test";
    ObservedAboutBox about(version);
    EXPECT_TRUE(about.Show(nullptr));
    ASSERT_TRUE(about.seen.painted);
    EXPECT_EQ(about.seen.width, 400);
    EXPECT_EQ(about.seen.height, 200);
    EXPECT_TRUE(about.seen.anyWhiteAtVersion);
    EXPECT_TRUE(about.seen.anyBlackOnBottomLine);
}

TEST(AboutBox, WithoutVersionTextsNothingIsDrawnAtTheVersionsPlace)
{
    VersionStrings none;
    ObservedAboutBox about(none);
    EXPECT_TRUE(about.Show(nullptr));
    ASSERT_TRUE(about.seen.painted);
    EXPECT_FALSE(about.seen.anyWhiteAtVersion);
    EXPECT_TRUE(about.seen.anyBlackOnBottomLine) << "the default copyright line";
}
