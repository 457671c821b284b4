// The dirty-area region of the decoder: a union of rectangles kept as y-x
// bands, listed exactly as the system's region data lists them (bands by top,
// spans by left, touching spans merged, equal adjacent bands coalesced).
// On Windows it is a GDI region; elsewhere a banded region of our own.
#pragma once
#include <cstdint>
#include <vector>

#include "recording/Geometry.h"
#if !defined(_WIN32)
#include "recording/BandedRegion.h"
#endif

class Region {
 public:
  Region() = default;
  ~Region();
  Region(const Region&) = delete;
  Region& operator=(const Region&) = delete;

  bool Create();  // an empty region; false when the system refuses one
  void Destroy();
  bool IsCreated() const;

  void SetEmpty();
  void AddRect(const Rect& r);        // union
  void IntersectRect(const Rect& r);  // clip
  // Appends the region's rectangles to out; false when the region data cannot be had.
  bool AppendRects(std::vector<Rect>& out);

 private:
#if defined(_WIN32)
  void* region_ = nullptr;   // HRGN
  void* scratch_ = nullptr;  // HRGN for the rectangle combined into region_
  std::vector<uint8_t> dataCache_;
#else
  bool created_ = false;
  BandedRegion bands_;
#endif
};
