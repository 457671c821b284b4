// A union of rectangles listed as y-x bands, the way the system's region data
// lists a region: bands sorted by top, each band's spans sorted by left,
// spans that touch or overlap merged, vertically adjacent bands with equal
// spans coalesced, nothing empty. Rectangles are gathered as they come and
// put into bands when the list is asked for, so that thousands of one-row
// rectangles per record cost one sort. Storage is kept across uses.
#pragma once
#include <cstddef>
#include <vector>

#include "recording/Geometry.h"

class BandedRegion {
  public:
    void Clear();
    // Union with r; coordinates given in either order are put in order first.
    void Add(const Rect& r);
    // Intersection with r (coordinates put in order as for Add).
    void Intersect(const Rect& r);
    // The region's rectangles, band by band.
    const std::vector<Rect>& Rects();

  private:
    struct Span {
        int32_t left, right;
    };
    void SortByTop();
    void MakeBands();
    // Appends the band [top, bottom) with the merged spans of active_.
    void EmitBand(int32_t top, int32_t bottom);

    std::vector<Rect> rects_;  // the region is their union
    bool banded_ = true;       // rects_ are already the bands
    // Working storage of MakeBands.
    std::vector<Rect> bands_;
    std::vector<Rect> active_;
    std::vector<Span> spans_;
    std::size_t lastBandBegin_ = 0;  // first rectangle of the last band in bands_
};
