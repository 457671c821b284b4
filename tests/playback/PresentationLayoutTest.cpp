#include <gtest/gtest.h>

#include <vector>

#include "playback/MonitorLayout.h"
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

bool Inside(const Rect& r, const Rect& area) {
    return r.IsEmpty() || (r.left >= area.left && r.top >= area.top && r.right <= area.right &&
                           r.bottom <= area.bottom);
}

bool Contains(const Rect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Each monitor shows the picture laid out within its own rectangle, or is
// black; nothing is drawn outside it and nothing of it is left undrawn.
TEST(LayOutMonitors, EachMonitorIsLaidOutWithinItsOwnRectangle) {
    const Rect kPrimary{0, 0, 1024, 768};
    const Rect kBlack{};
    const struct {
        const char* name;
        MonitorArrangement monitors;
        Rect client;
        Rect capture;
        bool scale, every;
        std::vector<Rect> pictures;  // kBlack: the monitor is one black border
    } cases[] = {
        {"side by side, primary only",
         {2, 0, {kPrimary, {1024, 0, 2304, 1024}}},
         {0, 0, 2304, 1024},
         kCapture,
         false,
         false,
         {{112, 84, 912, 684}, kBlack}},
        {"side by side, every monitor",
         {2, 0, {kPrimary, {1024, 0, 2304, 1024}}},
         {0, 0, 2304, 1024},
         kCapture,
         false,
         true,
         {{112, 84, 912, 684}, {1264, 212, 2064, 812}}},
        {"stacked, scaled",
         {2, 0, {{0, 0, 1280, 1024}, {0, 1024, 1024, 1792}}},
         {0, 0, 1280, 1792},
         kCapture,
         true,
         true,
         {{0, 32, 1280, 992}, {0, 1024, 1024, 1792}}},
        {"a primary not at (0, 0)",
         {2, 1, {kPrimary, {1024, -200, 2048, 568}}},
         {0, -200, 2048, 768},
         kCapture,
         false,
         false,
         {kBlack, {1136, -116, 1936, 484}}},
        {"negative coordinates, scaled",
         {2, 1, {{-1280, -256, 0, 768}, kPrimary}},
         {-1280, -256, 1024, 768},
         kCapture,
         true,
         true,
         {{-1280, -224, 0, 736}, {0, 0, 1024, 768}}},
        {"a smaller monitor shows the top-left part; one outside the window is left out",
         {3, 0, {kPrimary, {1024, 0, 1664, 480}, {-640, 0, 0, 480}}},
         {0, 0, 1664, 768},
         kCapture,
         false,
         true,
         {{112, 84, 912, 684}, {1024, 0, 1664, 480}}},
        {"no capture yet",
         {2, 0, {kPrimary, {1024, 0, 2048, 768}}},
         {0, 0, 2048, 768},
         Rect{},
         true,
         true,
         {kBlack, kBlack}},
        {"no monitors: the window is one screen (the preview)",
         {},
         {100, 200, 252, 312},
         kCapture,
         true,
         false,
         {{101, 200, 250, 312}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MonitorLayouts out =
            LayOutMonitors(c.monitors, c.client, kNoOrigin, c.capture, c.scale, c.every);
        ASSERT_EQ(out.count, int(c.pictures.size()));
        for (int i = 0; i < out.count; ++i) {
            const PresentationLayout& l = out.layouts[i];
            const Rect area = c.monitors.count ? c.monitors.areas[i] : c.client;
            ASSERT_TRUE(l.visible);
            EXPECT_TRUE(c.pictures[i].IsEmpty() ? l.picture.IsEmpty() : l.picture == c.pictures[i])
                << "monitor " << i;
            EXPECT_TRUE(Inside(l.picture, area)) << "monitor " << i;
            for (int b = 0; b < l.borderCount; ++b)
                EXPECT_TRUE(Inside(l.borders[b], area)) << "monitor " << i << " border " << b;
            int undrawn = 0;
            for (int y = area.top; y < area.bottom; y += 7)
                for (int x = area.left; x < area.right; x += 7) {
                    bool drawn = Contains(l.picture, x, y);
                    for (int b = 0; b < l.borderCount; ++b)
                        drawn = drawn || Contains(l.borders[b], x, y);
                    undrawn += !drawn;
                }
            EXPECT_EQ(undrawn, 0) << "monitor " << i;
            // A change at the picture's top-left corner shows there.
            Rect source, screen;
            EXPECT_EQ(MapToScreen(l, {0, 0, 1, 1}, source, screen), !l.picture.IsEmpty());
            if (!l.picture.IsEmpty()) {
                EXPECT_EQ((Point{screen.left, screen.top}), (Point{l.picture.left, l.picture.top}));
            }
        }
    }
}

}  // namespace
