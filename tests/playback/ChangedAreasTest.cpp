#include <gtest/gtest.h>

#include <vector>

#include "FrameUpdateBuilder.h"
#include "playback/ChangedAreas.h"

namespace {

bool Covers(const Rect& outer, const Rect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

bool SomeCovers(const Rect* areas, int count, const Rect& r) {
    for (int i = 0; i < count; ++i)
        if (Covers(areas[i], r))
            return true;
    return false;
}

// Up to 16 changes stay as they are; more become the bounds of the changes
// within 16 strips of the picture, which still cover every change.
TEST(ChangedAreas, KeepsSixteenAreasThenBoundsThemPerStrip) {
    ChangedAreas few(160);
    few.Add({0, 0, 0, 10});  // empty: nothing
    for (int32_t i = 0; i < 16; ++i)
        few.Add({i, 10 * i, i + 2, 10 * i + 1});
    ASSERT_EQ(few.Count(), 16);
    EXPECT_EQ(few.Area(15), (Rect{15, 150, 17, 151}));

    ChangedAreas many(160);
    std::vector<Rect> added;
    for (int32_t i = 0; i < 40; ++i)
        added.push_back({3 * i, 4 * i % 150, 3 * i + 5, 4 * i % 150 + 12});
    added.push_back({0, 9, 5, 21});     // its last row starts a strip
    added.push_back({7, 155, 9, 170});  // reaching below the picture
    for (const Rect& r : added)
        many.Add(r);
    ASSERT_EQ(many.Count(), 16);
    for (int s = 0; s < 16; ++s)
        EXPECT_TRUE(many.Area(s).IsEmpty() ||
                    (many.Area(s).top >= 10 * s && many.Area(s).bottom <= 10 * s + 10))
            << "strip " << s;
    for (const Rect& r :
         added)  // each row of each change in the picture lies in its strip's bounds
        for (int32_t y = r.top; y < std::min(r.bottom, 160); ++y)
            EXPECT_TRUE(SomeCovers(&many.Area(0), many.Count(), {r.left, y, r.right, y + 1}));
}

TEST(JoinNearbyAreas, JoinsWhatCostsLessTogetherAndCoversEverything) {
    const Rect given[] = {{0, 0, 10, 10},
                          {5, 5, 15, 15},
                          {10, 0, 20, 10},
                          {500, 500, 510, 510},
                          {530, 500, 540, 510}};
    Rect areas[5];
    std::copy(std::begin(given), std::end(given), areas);
    const int n = JoinNearbyAreas(areas, 5, 0);
    ASSERT_EQ(n, 3) << "the three touching ones join; the far pair does not without slack";
    for (const Rect& r : given)
        EXPECT_TRUE(SomeCovers(areas, n, r));
    EXPECT_TRUE(SomeCovers(areas, n, {0, 0, 20, 15}));

    std::copy(std::begin(given), std::end(given), areas);
    EXPECT_EQ(JoinNearbyAreas(areas, 5, 10 * 20), 2) << "the pair 20 pixels apart joins";
    std::copy(std::begin(given), std::end(given), areas);
    EXPECT_EQ(JoinNearbyAreas(areas, 5, 1 << 30), 1);
}

}  // namespace
