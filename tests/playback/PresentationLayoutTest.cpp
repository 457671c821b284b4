#include <gtest/gtest.h>

#include "playback/PresentationLayout.h"

namespace {

const Rect kCapture{141, 106, 941, 706};  // 800 x 600
const Point kNoOrigin{0, 0};

TEST(PresentationLayout, ScaledCaptureFillsAScreenOfTheSameShape) {
    const PresentationLayout l = LayOutPicture({0, 0, 1024, 768}, kNoOrigin, kCapture, true);
    ASSERT_TRUE(l.scaled);
    EXPECT_EQ(l.scale, 1.28f);  // the tie takes the height branch
    EXPECT_EQ(l.picture, (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(l.source, (Rect{0, 0, 800, 600}));
    EXPECT_EQ(l.borderCount, 0);
}

TEST(PresentationLayout, WhenTheWidthLimitsBandsFillAboveAndBelow) {
    const PresentationLayout l = LayOutPicture({0, 0, 1280, 1024}, kNoOrigin, kCapture, true);
    ASSERT_TRUE(l.scaled);
    EXPECT_EQ(l.scale, 1.6f);
    EXPECT_EQ(l.picture, (Rect{0, 32, 1280, 992}));
    EXPECT_EQ(l.source, (Rect{0, 0, 799, 599}));  // truncated on the way back
    ASSERT_EQ(l.borderCount, 2);
    EXPECT_EQ(l.borders[0], (Rect{0, 0, 1280, 32}));
    EXPECT_EQ(l.borders[1], (Rect{0, 992, 1280, 1024}));
}

TEST(PresentationLayout, UnscaledPicturesAreCentred) {
    const PresentationLayout l = LayOutPicture({0, 0, 1280, 1024}, kNoOrigin, kCapture, false);
    EXPECT_FALSE(l.scaled);
    EXPECT_EQ(l.picture, (Rect{240, 212, 1040, 812}));
    EXPECT_EQ(l.source, (Rect{0, 0, 800, 600}));
    ASSERT_EQ(l.borderCount, 4);
    EXPECT_EQ(l.borders[0], (Rect{0, 0, 240, 1024}));
    EXPECT_EQ(l.borders[1], (Rect{1040, 0, 1280, 1024}));
    EXPECT_EQ(l.borders[2], (Rect{0, 0, 1280, 212}));
    EXPECT_EQ(l.borders[3], (Rect{0, 812, 1280, 1024}));
}

TEST(PresentationLayout, ThePreviewBoxShowsTheWholeCaptureScaledDown) {
    const PresentationLayout l = LayOutPicture({100, 200, 252, 312}, kNoOrigin, kCapture, true);
    ASSERT_TRUE(l.scaled);
    EXPECT_EQ(l.scale, float(112.0 / 600.0));
    EXPECT_EQ(l.picture, (Rect{101, 200, 250, 312}));
    ASSERT_EQ(l.borderCount, 2);
    EXPECT_EQ(l.borders[0], (Rect{100, 200, 101, 312}));
    EXPECT_EQ(l.borders[1], (Rect{250, 200, 252, 312}));
}

TEST(PresentationLayout, APictureLargerThanTheWindowShowsItsTopLeftPart) {
    const PresentationLayout l =
        LayOutPicture({0, 0, 800, 600}, kNoOrigin, {0, 0, 1024, 768}, false);
    EXPECT_EQ(l.picture, (Rect{0, 0, 800, 600}));
    EXPECT_EQ(l.source, (Rect{0, 0, 800, 600}));
    EXPECT_EQ(l.borderCount, 0);
}

TEST(PresentationLayout, AnEqualSizeNeedsNoScaling) {
    const PresentationLayout l = LayOutPicture({0, 0, 800, 600}, kNoOrigin, kCapture, true);
    EXPECT_FALSE(l.scaled);
    EXPECT_EQ(l.picture, (Rect{0, 0, 800, 600}));
}

TEST(PresentationLayout, ZeroSizedWindowsAndEmptyCapturesDrawNoPicture) {
    EXPECT_FALSE(LayOutPicture({0, 0, 0, 768}, kNoOrigin, kCapture, true).visible);
    EXPECT_FALSE(LayOutPicture({0, 0, 1024, 0}, kNoOrigin, kCapture, false).visible);
    const PresentationLayout empty = LayOutPicture({0, 0, 1024, 768}, kNoOrigin, Rect{}, true);
    EXPECT_TRUE(empty.visible);
    EXPECT_TRUE(empty.picture.IsEmpty());
    EXPECT_GE(empty.borderCount, 2);  // the whole window is filled
}

TEST(MapToScreen, NaturalSizeMovesAndClipsToWhatIsShown) {
    const PresentationLayout centred =
        LayOutPicture({0, 0, 1280, 1024}, kNoOrigin, kCapture, false);
    const PresentationLayout cut = LayOutPicture({0, 0, 400, 300}, kNoOrigin, kCapture, false);
    const struct {
        const PresentationLayout& layout;
        Rect piece, source, screen;
    } cases[] = {
        {centred, {10, 20, 30, 50}, {10, 20, 30, 50}, {250, 232, 270, 262}},
        {centred, {790, 590, 900, 700}, {790, 590, 800, 600}, {1030, 802, 1040, 812}},
        {cut, {390, 290, 410, 310}, {390, 290, 400, 300}, {390, 290, 400, 300}},
    };
    for (const auto& c : cases) {
        Rect source, screen;
        ASSERT_TRUE(MapToScreen(c.layout, c.piece, source, screen));
        EXPECT_EQ(source, c.source);
        EXPECT_EQ(screen, c.screen);
    }
    Rect source, screen;
    EXPECT_FALSE(MapToScreen(cut, {400, 0, 420, 10}, source, screen)) << "not shown";
    EXPECT_FALSE(MapToScreen(centred, {5, 5, 5, 9}, source, screen)) << "empty";
}

// Scaled pieces round outward: every screen pixel whose centre samples a
// source pixel in the piece is covered, so neighbours never leave a seam.
TEST(MapToScreen, ScaledPiecesCoverEveryScreenPixelOfTheirSource) {
    for (const Rect& window :
         {Rect{0, 0, 1024, 768}, Rect{0, 0, 1280, 1024}, Rect{10, 20, 162, 132}}) {
        const PresentationLayout l = LayOutPicture(window, kNoOrigin, kCapture, true);
        ASSERT_TRUE(l.scaled);
        const double sx =
            double(l.picture.right - l.picture.left) / (l.source.right - l.source.left);
        const double sy =
            double(l.picture.bottom - l.picture.top) / (l.source.bottom - l.source.top);
        for (int left = 0; left < 60; left += 7)
            for (int width = 1; width < 9; width += 3) {
                const Rect piece{left, left / 2, left + width, left / 2 + width};
                Rect source, screen;
                ASSERT_TRUE(MapToScreen(l, piece, source, screen));
                EXPECT_EQ(source, piece);
                for (int x = l.picture.left; x < l.picture.right; ++x) {
                    const int from = int((x - l.picture.left + 0.5) / sx) + l.source.left;
                    if (from >= piece.left && from < piece.right) {
                        EXPECT_TRUE(x >= screen.left && x < screen.right) << x;
                    }
                }
                for (int y = l.picture.top; y < l.picture.bottom; ++y) {
                    const int from = int((y - l.picture.top + 0.5) / sy) + l.source.top;
                    if (from >= piece.top && from < piece.bottom) {
                        EXPECT_TRUE(y >= screen.top && y < screen.bottom) << y;
                    }
                }
                EXPECT_LE(screen.right - screen.left, int(width * sx) + 2)
                    << "no wider than needed";
            }
    }
}

}  // namespace
