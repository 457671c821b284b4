// Finds content of a new frame that lies in the previous frame displaced by
// whole rows and columns (scrolled text, a dragged window), so that it can be
// sent as moves instead of new pixels.
#pragma once
#include <cstdint>
#include <vector>

#include "recording/FrameImage.h"
#include "recording/Geometry.h"

namespace vqd {

// Bytes [x * bytesPerPixel, + length) of row y come from row y - dy, column x - dx.
struct MovedRun {
    int16_t dx, dy;
    uint16_t x, y, length;
};

class MoveDetector {
  public:
    // Appends to moves, sorted by row then column, the stretches of `after`
    // inside area that equal `before` displaced and differ from `before` in
    // place. Both pictures have the given layout; sources lie inside area.
    void Find(const uint8_t* before, const uint8_t* after, const ImageLayout& layout,
              const Rect& area, std::vector<MovedRun>& moves);

  private:
    struct Displacement {
        int32_t dx, dy;
        uint32_t votes;
    };
    struct Slot {
        uint32_t hash;
        int32_t x, y;  // -1 when empty
    };
    bool ChangedBounds(Rect& bounds) const;
    void IndexBefore(const Rect& bounds);
    void VoteDisplacements(const Rect& bounds);
    void ClaimStretches(const Displacement& d, const Rect& bounds, std::vector<MovedRun>& moves);
    uint32_t StripHash(const uint8_t* p) const;
    bool Uniform(const uint8_t* p) const;
    const uint8_t* Pixel(const uint8_t* picture, int32_t x, int32_t y) const;

    const uint8_t* before_ = nullptr;
    const uint8_t* after_ = nullptr;
    ImageLayout layout_ = {};
    Rect area_ = {};
    std::vector<Slot> table_;
    std::vector<Displacement> votes_;
    std::vector<uint8_t> claimed_;  // per pixel of the changed bounds
};

}  // namespace vqd
