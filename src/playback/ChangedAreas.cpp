#include "playback/ChangedAreas.h"

#include <algorithm>

namespace {

int64_t AreaOf(const Rect& r) {
    return int64_t(r.right - r.left) * (r.bottom - r.top);
}

Rect Bounds(const Rect& a, const Rect& b) {
    if (a.IsEmpty())
        return b;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

}  // namespace

ChangedAreas::ChangedAreas(int32_t pictureHeight)
    : stripHeight(std::max<int32_t>(1, (pictureHeight + kMostAreas - 1) / kMostAreas)) {}

void ChangedAreas::Add(const Rect& r) {
    if (r.IsEmpty())
        return;
    if (count < kMostAreas)
        areas[count] = r;
    ++count;
    const int first = std::clamp(r.top / stripHeight, 0, kMostAreas - 1);
    const int last = std::clamp((r.bottom - 1) / stripHeight, 0, kMostAreas - 1);
    for (int strip = first; strip <= last; ++strip) {
        const Rect part{r.left, std::max(r.top, strip * stripHeight), r.right,
                        std::min(r.bottom, (strip + 1) * stripHeight)};
        strips[strip] = Bounds(strips[strip], part);
    }
}

int JoinNearbyAreas(Rect* areas, int count, int64_t slack) {
    for (bool joined = true; joined;) {
        joined = false;
        for (int i = 0; i < count; ++i)
            for (int j = i + 1; j < count; ++j) {
                const Rect both = Bounds(areas[i], areas[j]);
                if (AreaOf(both) > AreaOf(areas[i]) + AreaOf(areas[j]) + slack)
                    continue;
                areas[i] = both;
                areas[j--] = areas[--count];
                joined = true;
            }
    }
    return count;
}
