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

}  // namespace
