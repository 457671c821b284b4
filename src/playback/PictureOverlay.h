// A small picture laid over the video before it is scaled, so that it is
// scaled with it: the click indicator. Its image is a row of equal cells, of
// which some are drawn one over the other; pixels of the key colour are
// transparent.
#pragma once
#include <cstdint>

#include "recording/Geometry.h"

constexpr int kMostOverlayCells = 3;

struct PictureOverlay {
    Rect area = {};     // picture coordinates, clipped to the picture; empty: nothing
    Point origin = {};  // picture coordinates of the cells' top-left pixel
    const uint32_t* pixels = nullptr;  // 0x00RRGGBB, `pitch` pixels a row
    int32_t pitch = 0;
    uint32_t key = 0;
    int cellCount = 0;
    int32_t cellLeft[kMostOverlayCells] = {};  // the drawn cells' columns in the image, in order

    // Lays the overlay over pixels [x0, x1) of picture row y.
    void Apply(int32_t y, int32_t x0, int32_t x1, uint32_t* row) const {
        if (y < area.top || y >= area.bottom)
            return;
        const int32_t from = x0 > area.left ? x0 : area.left;
        const int32_t to = x1 < area.right ? x1 : area.right;
        const uint32_t* line = pixels + (y - origin.y) * pitch - origin.x;
        for (int c = 0; c < cellCount; ++c)
            for (int32_t x = from; x < to; ++x) {
                const uint32_t p = line[cellLeft[c] + x];
                if (p != key)
                    row[x - x0] = p;
            }
    }
};
