// Our dirty region lists exactly what a GDI region built from the same
// rectangles lists through GetRegionData.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>

#include "recording/Region.h"

namespace {

std::vector<Rect> GdiUnion(const std::vector<Rect>& rects, const Rect* clip) {
    HRGN region = CreateRectRgn(0, 0, 0, 0), scratch = CreateRectRgn(0, 0, 0, 0);
    for (const Rect& r : rects) {
        SetRectRgn(scratch, r.left, r.top, r.right, r.bottom);
        CombineRgn(region, region, scratch, RGN_OR);
    }
    if (clip) {
        SetRectRgn(scratch, clip->left, clip->top, clip->right, clip->bottom);
        CombineRgn(region, region, scratch, RGN_AND);
    }
    std::vector<uint8_t> data(GetRegionData(region, 0, nullptr));
    GetRegionData(region, DWORD(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
    const auto* header = reinterpret_cast<const RGNDATAHEADER*>(data.data());
    const auto* listed = reinterpret_cast<const RECT*>(data.data() + sizeof(RGNDATAHEADER));
    std::vector<Rect> out;
    for (DWORD i = 0; i < header->nCount; ++i)
        out.push_back({listed[i].left, listed[i].top, listed[i].right, listed[i].bottom});
    DeleteObject(scratch);
    DeleteObject(region);
    return out;
}

TEST(GdiRegionAgreement, RandomRunsAndClipsGiveTheSameRectangles) {
    std::mt19937 random(11);
    Region ours;
    ASSERT_TRUE(ours.Create());
    for (int round = 0; round < 300; ++round) {
        std::vector<Rect> rects;
        const int count = 1 + int(random() % 60);
        for (int i = 0; i < count; ++i) {
            const int l = int(random() % 300), t = int(random() % 200);
            const int h = random() % 3 ? 1 : 1 + int(random() % 40);
            rects.push_back({l, t, l + 1 + int(random() % 120), t + h});
        }
        const Rect clip{int(random() % 50), int(random() % 50), 150 + int(random() % 200),
                        100 + int(random() % 150)};
        const bool clipped = round % 2;
        ours.SetEmpty();
        for (const Rect& r : rects)
            ours.AddRect(r);
        if (clipped)
            ours.IntersectRect(clip);
        std::vector<Rect> listed;
        ASSERT_TRUE(ours.AppendRects(listed));
        ASSERT_EQ(listed, GdiUnion(rects, clipped ? &clip : nullptr)) << "round " << round;
    }
}

}  // namespace
