// The parts of the video that a paint must bring to the screen, in picture
// coordinates. Up to kMostAreas rectangles are kept one by one; past that,
// the bounding box of the changes within each of as many horizontal strips
// of the picture. No allocation.
#pragma once
#include <cstdint>

#include "recording/Geometry.h"

class ChangedAreas {
  public:
    static constexpr int kMostAreas = 16;

    explicit ChangedAreas(int32_t pictureHeight);
    void Add(const Rect& area);  // an empty one adds nothing
    int Count() const { return count <= kMostAreas ? count : kMostAreas; }
    const Rect& Area(int i) const { return count <= kMostAreas ? areas[i] : strips[i]; }

  private:
    int32_t stripHeight;
    Rect areas[kMostAreas] = {};
    Rect strips[kMostAreas] = {};
    int count = 0;
};

// Joins areas whose bounding box is hardly larger than the two together, so
// that fewer and larger copies reach the screen: a copy costs about as much
// as `slack` pixels besides its own. The joined areas cover every one given;
// returns how many there are now, at the front of `areas`.
int JoinNearbyAreas(Rect* areas, int count, int64_t slack);
