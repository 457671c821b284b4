// The dirty-area region of the decoder: a union of rectangles kept as y-x
// bands, listed exactly as the system's region data lists them (bands by top,
// spans by left, touching spans merged, equal adjacent bands coalesced).
// It is a banded region of our own on every platform: GDI combines one
// rectangle at a time in time proportional to the region, so a FrameUpdate
// of many scattered runs took seconds there (1.6 s for 11 000 rectangles).
#pragma once
#include <cstdint>
#include <vector>

#include "recording/Geometry.h"
#include "recording/BandedRegion.h"

class Region {
  public:
    Region() = default;
    ~Region();
    Region(const Region&) = delete;
    Region& operator=(const Region&) = delete;

    bool Create();  // an empty region
    void Destroy();
    bool IsCreated() const;

    void SetEmpty();
    void AddRect(const Rect& r);        // union
    void IntersectRect(const Rect& r);  // clip
    // Appends the region's rectangles to out; false when the region data cannot be had.
    bool AppendRects(std::vector<Rect>& out);

  private:
    bool created_ = false;
    BandedRegion bands_;
};
