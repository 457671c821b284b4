// The dirty region lists its rectangles the way the system's region data
// does, on every platform: bands of rows with equal spans, top to bottom,
// spans left to right, for any union of rectangles, clipped or not.
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

TEST_F(RegionTest, EmptyRectanglesAddNothingAndSwappedCoordinatesAreSorted) {
    EXPECT_TRUE(List().empty());
    EXPECT_TRUE(Union({{5, 5, 5, 9}, {1, 1, 4, 1}}).empty());
    EXPECT_EQ(Union({{10, 10, 0, 0}}), (Rects{{0, 0, 10, 10}}));
    region.IntersectRect({8, 12, 2, 5});
    EXPECT_EQ(List(), (Rects{{2, 5, 8, 10}}));
    region.IntersectRect({0, 0, 0, 0});
    EXPECT_TRUE(List().empty());
    Region none;
    Rects out;
    EXPECT_FALSE(none.AppendRects(out)) << "a region never created lists nothing";
}

// The bands of a set of pixels, computed row by row: what any region built
// from rectangles covering exactly those pixels must list.
Rects BandsOf(const std::vector<std::vector<bool>>& pixels) {
    Rects out;
    std::vector<std::pair<int, int>> previous, spans;
    for (int y = 0; y < int(pixels.size()); previous = spans, ++y) {
        spans.clear();
        for (int x = 0; x < int(pixels[y].size()); ++x)
            if (pixels[y][x] && (x == 0 || !pixels[y][x - 1]))
                spans.push_back({x, x + 1});
            else if (pixels[y][x])
                spans.back().second = x + 1;
        if (!spans.empty() && spans == previous)
            for (size_t i = out.size() - spans.size(); i < out.size(); ++i)
                out[i].bottom = y + 1;
        else
            for (const auto& [left, right] : spans)
                out.push_back(Rect{left, y, right, y + 1});
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

}  // namespace
