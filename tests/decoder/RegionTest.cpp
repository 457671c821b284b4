// The dirty region lists its rectangles the way the system's region data
// does, on every platform.
#include <gtest/gtest.h>

#include <random>

#include "FrameUpdateBuilder.h"
#include "recording/Region.h"

namespace {

using Rects = std::vector<Rect>;

class RegionTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(region.Create()); }
    Rects Union(const Rects& rects) {
        region.SetEmpty();
        for (const Rect& r : rects)
            region.AddRect(r);
        return List();
    }
    Rects List() {
        Rects out;
        EXPECT_TRUE(region.AppendRects(out));
        return out;
    }
    Region region;
};

TEST_F(RegionTest, EmptyRegionHasNoRectangles) {
    EXPECT_TRUE(List().empty());
    EXPECT_TRUE(Union({{5, 5, 5, 9}, {1, 1, 4, 1}}).empty());  // empty rectangles add nothing
}

TEST_F(RegionTest, TouchingAndOverlappingSpansMerge) {
    EXPECT_EQ(Union({{0, 0, 5, 1}, {5, 0, 9, 1}}), (Rects{{0, 0, 9, 1}}));
    EXPECT_EQ(Union({{0, 0, 5, 1}, {3, 0, 4, 1}, {4, 0, 7, 1}}), (Rects{{0, 0, 7, 1}}));
}

TEST_F(RegionTest, SpansOfABandAreSortedByLeft) {
    EXPECT_EQ(Union({{20, 0, 25, 1}, {0, 0, 5, 1}, {10, 0, 12, 1}}),
              (Rects{{0, 0, 5, 1}, {10, 0, 12, 1}, {20, 0, 25, 1}}));
}

TEST_F(RegionTest, AdjacentBandsWithEqualSpansCoalesce) {
    EXPECT_EQ(Union({{2, 3, 8, 4}, {2, 1, 8, 2}, {2, 2, 8, 3}}), (Rects{{2, 1, 8, 4}}));
    EXPECT_EQ(Union({{2, 1, 8, 2}, {2, 3, 8, 4}}), (Rects{{2, 1, 8, 2}, {2, 3, 8, 4}}));  // a gap
    EXPECT_EQ(Union({{2, 1, 8, 2}, {2, 2, 9, 3}}), (Rects{{2, 1, 8, 2}, {2, 2, 9, 3}}));
}

TEST_F(RegionTest, OverlappingRectanglesSplitIntoBands) {
    EXPECT_EQ(Union({{0, 0, 10, 10}, {5, 5, 15, 15}}),
              (Rects{{0, 0, 10, 5}, {0, 5, 15, 10}, {5, 10, 15, 15}}));
    EXPECT_EQ(Union({{0, 0, 4, 10}, {6, 2, 9, 4}}),
              (Rects{{0, 0, 4, 2}, {0, 2, 4, 4}, {6, 2, 9, 4}, {0, 4, 4, 10}}));
}

TEST_F(RegionTest, ClippingCoalescesBandsThatBecomeEqual) {
    Union({{0, 0, 10, 1}, {0, 1, 20, 2}, {30, 5, 40, 6}});
    region.IntersectRect({0, 0, 10, 4});
    EXPECT_EQ(List(), (Rects{{0, 0, 10, 2}}));
    region.IntersectRect({0, 0, 0, 0});
    EXPECT_TRUE(List().empty());
}

TEST_F(RegionTest, CoordinatesInTheWrongOrderAreSwapped) {
    EXPECT_EQ(Union({{10, 10, 0, 0}}), (Rects{{0, 0, 10, 10}}));
    region.IntersectRect({8, 12, 2, 5});
    EXPECT_EQ(List(), (Rects{{2, 5, 8, 10}}));
}

// The bands of a set of pixels, computed row by row: what any region built
// from rectangles covering exactly those pixels must list.
Rects BandsOf(const std::vector<std::vector<bool>>& pixels) {
    Rects out;
    std::vector<std::pair<int, int>> previous;
    size_t previousBegin = 0;
    for (size_t y = 0; y < pixels.size(); ++y) {
        std::vector<std::pair<int, int>> spans;
        const auto& row = pixels[y];
        for (size_t x = 0; x < row.size(); ++x) {
            if (!row[x])
                continue;
            size_t end = x;
            while (end < row.size() && row[end])
                ++end;
            spans.push_back({int(x), int(end)});
            x = end;
        }
        if (!spans.empty() && spans == previous && out.back().bottom == int(y)) {
            for (size_t i = previousBegin; i < out.size(); ++i)
                out[i].bottom = int(y) + 1;
            continue;
        }
        previousBegin = out.size();
        for (const auto& s : spans)
            out.push_back(Rect{s.first, int(y), s.second, int(y) + 1});
        previous = spans;
    }
    return out;
}

TEST_F(RegionTest, RandomUnionsAndClipsMatchTheirPixels) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::vector<bool>> pixels(48, std::vector<bool>(48, false));
        region.SetEmpty();
        const int count = 1 + int(random() % 30);
        for (int i = 0; i < count; ++i) {
            const int l = int(random() % 44), t = int(random() % 44);
            const bool oneRow = random() % 2;
            const Rect r{l, t, l + 1 + int(random() % (48 - l)),
                         oneRow ? t + 1 : t + 1 + int(random() % (48 - t))};
            region.AddRect(r);
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    pixels[y][x] = true;
        }
        if (round % 2) {
            const Rect clip{int(random() % 20), int(random() % 20), 20 + int(random() % 28),
                            20 + int(random() % 28)};
            region.IntersectRect(clip);
            for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 48; ++x)
                    if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom)
                        pixels[y][x] = false;
        }
        ASSERT_EQ(List(), BandsOf(pixels)) << "round " << round;
    }
}

TEST_F(RegionTest, ThousandsOfOneRowRectanglesFormFewBands) {
    region.SetEmpty();
    for (int y = 0; y < 1080; ++y) {
        region.AddRect({100, y, 500, y + 1});
        region.AddRect({480, y, 900, y + 1});
        if (y % 2)
            region.AddRect({1000, y, 1001, y + 1});
    }
    region.IntersectRect({0, 0, 1920, 1080});
    const Rects rects = List();
    ASSERT_EQ(rects.size(), 1080u / 2 * 3);
    EXPECT_EQ(rects[0], (Rect{100, 0, 900, 1}));
    EXPECT_EQ(rects[1], (Rect{100, 1, 900, 2}));
    EXPECT_EQ(rects[2], (Rect{1000, 1, 1001, 2}));
}

}  // namespace
