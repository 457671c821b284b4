#include <gtest/gtest.h>

#include <vector>

#include "playback/MonitorLayout.h"
#include "playback/PresentationLayout.h"

namespace {

const Rect kCapture{141, 106, 941, 706};  // 800 x 600
const Point kNoOrigin{0, 0};

// Lays out the capture in the window and compares the scale (1: unscaled),
// the picture, where the whole capture lies (when it differs) and the borders.
void ExpectLayout(const char* what, const Rect& window, const Rect& capture, bool scaleToFit,
                  float scale, const Rect& picture, const std::vector<Rect>& borders,
                  const Rect& wholePicture = {}) {
    SCOPED_TRACE(what);
    const PresentationLayout l = LayOutPicture(window, kNoOrigin, capture, scaleToFit);
    EXPECT_EQ(l.scaled, scale != 1);
    EXPECT_EQ(l.scale, scale);
    EXPECT_EQ(l.picture, picture);
    EXPECT_EQ(l.wholePicture, wholePicture.IsEmpty() ? picture : wholePicture);
    EXPECT_EQ(std::vector<Rect>(l.borders, l.borders + l.borderCount), borders);
}

TEST(PresentationLayout, PlacesThePictureAndBordersTheRest) {
    ExpectLayout("the same shape: the tie takes the height branch", {0, 0, 1024, 768}, kCapture,
                 true, 1.28f, {0, 0, 1024, 768}, {});
    ExpectLayout("the width limits: bands above and below", {0, 0, 1280, 1024}, kCapture, true,
                 1.6f, {0, 32, 1280, 992}, {{0, 0, 1280, 32}, {0, 992, 1280, 1024}});
    ExpectLayout(
        "unscaled pictures are centred", {0, 0, 1280, 1024}, kCapture, false, 1,
        {240, 212, 1040, 812},
        {{0, 0, 240, 1024}, {1040, 0, 1280, 1024}, {0, 0, 1280, 212}, {0, 812, 1280, 1024}});
    ExpectLayout("the preview box shows the whole capture scaled down", {100, 200, 252, 312},
                 kCapture, true, float(112.0 / 600.0), {101, 200, 250, 312},
                 {{100, 200, 101, 312}, {250, 200, 252, 312}});
    ExpectLayout("a picture larger than the window shows its top-left part", {0, 0, 800, 600},
                 {0, 0, 1024, 768}, false, 1, {0, 0, 800, 600}, {}, {0, 0, 1024, 768});
    ExpectLayout("an equal width neither", {0, 0, 800, 700}, kCapture, true, 1, {0, 50, 800, 650},
                 {{0, 0, 800, 50}, {0, 650, 800, 700}});
}

TEST(PresentationLayout, ZeroSizedWindowsAndCapturesDrawNoPicture) {
    EXPECT_FALSE(LayOutPicture({0, 0, 0, 768}, kNoOrigin, kCapture, true).visible);
    EXPECT_FALSE(LayOutPicture({0, 0, 1024, 0}, kNoOrigin, kCapture, false).visible);
    for (const Rect& capture : {Rect{}, Rect{10, 10, 10, 600}, Rect{10, 10, 810, 10}}) {
        const PresentationLayout l = LayOutPicture({0, 0, 1024, 768}, kNoOrigin, capture, true);
        EXPECT_TRUE(l.visible && l.picture.IsEmpty() && !l.scaled) << capture.right;
    }
}

const Rect kPrimary{0, 0, 1024, 768};
const Rect kBlack{};  // the monitor is one black border

// Each monitor shows the picture laid out within its own rectangle, or is
// black; the picture and the borders reach the rectangle's edges and no further.
void ExpectMonitors(const char* what, const MonitorArrangement& monitors, const Rect& client,
                    const Rect& capture, bool scale, bool every,
                    const std::vector<Rect>& pictures) {
    SCOPED_TRACE(what);
    const MonitorLayouts out = LayOutMonitors(monitors, client, kNoOrigin, capture, scale, every);
    ASSERT_EQ(out.count, int(pictures.size()));
    for (int i = 0; i < out.count; ++i) {
        const PresentationLayout& l = out.layouts[i];
        EXPECT_TRUE(l.visible);
        EXPECT_EQ(l.picture.IsEmpty() ? kBlack : l.picture, pictures[i]) << "monitor " << i;
        Rect all = l.picture;
        for (const Rect& b : std::vector<Rect>(l.borders, l.borders + l.borderCount))
            all = {std::min(all.left, b.left), std::min(all.top, b.top),
                   std::max(all.right, b.right), std::max(all.bottom, b.bottom)};
        EXPECT_EQ(all, monitors.count ? monitors.areas[out.monitors[i]] : client)
            << "monitor " << i;
        EXPECT_EQ(l.area, all) << "monitor " << i;
    }
}

TEST(LayOutMonitors, EachMonitorIsLaidOutWithinItsOwnRectangle) {
    const MonitorArrangement sideBySide{2, 0, {kPrimary, {1024, 0, 2304, 1024}}};
    ExpectMonitors("side by side, primary only", sideBySide, {0, 0, 2304, 1024}, kCapture, false,
                   false, {{112, 84, 912, 684}, kBlack});
    ExpectMonitors("side by side, every monitor", sideBySide, {0, 0, 2304, 1024}, kCapture, false,
                   true, {{112, 84, 912, 684}, {1264, 212, 2064, 812}});
    ExpectMonitors("a primary not at (0, 0)", {2, 1, {kPrimary, {1024, -200, 2048, 568}}},
                   {0, -200, 2048, 768}, kCapture, false, false, {kBlack, {1136, -116, 1936, 484}});
    ExpectMonitors("negative coordinates, scaled", {2, 1, {{-1280, -256, 0, 768}, kPrimary}},
                   {-1280, -256, 1024, 768}, kCapture, true, true,
                   {{-1280, -224, 0, 736}, {0, 0, 1024, 768}});
    ExpectMonitors("a smaller monitor shows the top-left part; one outside the window is left out",
                   {3, 0, {kPrimary, {1024, 0, 1664, 480}, {-640, 0, 0, 480}}}, {0, 0, 1664, 768},
                   kCapture, false, true, {{112, 84, 912, 684}, {1024, 0, 1664, 480}});
    ExpectMonitors("no capture yet", {2, 0, {kPrimary, {1024, 0, 2048, 768}}}, {0, 0, 2048, 768},
                   Rect{}, true, true, {kBlack, kBlack});
    ExpectMonitors("no monitors: the window is one screen (the preview)", {}, {100, 200, 252, 312},
                   kCapture, true, false, {{101, 200, 250, 312}});
}

}  // namespace
