// The dirty-area region as a GDI region. Rectangles are combined one by one
// through a scratch region; the region data is fetched into a buffer that is
// kept while it is large enough.
#include <windows.h>

#include <cstring>
#include <new>

#include "recording/Region.h"

namespace {
HRGN AsRegion(void* handle) { return static_cast<HRGN>(handle); }
}  // namespace

Region::~Region() { Destroy(); }

bool Region::Create() {
  Destroy();
  region_ = CreateRectRgn(0, 0, 0, 0);
  scratch_ = CreateRectRgn(0, 0, 0, 0);
  if (region_ && scratch_) return true;
  Destroy();
  return false;
}

void Region::Destroy() {
  if (region_) DeleteObject(AsRegion(region_));
  if (scratch_) DeleteObject(AsRegion(scratch_));
  region_ = scratch_ = nullptr;
  std::vector<uint8_t>().swap(dataCache_);
}

bool Region::IsCreated() const { return region_ != nullptr; }

void Region::SetEmpty() {
  if (region_) SetRectRgn(AsRegion(region_), 0, 0, 0, 0);
}

void Region::AddRect(const Rect& r) {
  if (!region_) return;
  SetRectRgn(AsRegion(scratch_), r.left, r.top, r.right, r.bottom);
  CombineRgn(AsRegion(region_), AsRegion(region_), AsRegion(scratch_), RGN_OR);
}

void Region::IntersectRect(const Rect& r) {
  if (!region_) return;
  SetRectRgn(AsRegion(scratch_), r.left, r.top, r.right, r.bottom);
  CombineRgn(AsRegion(region_), AsRegion(region_), AsRegion(scratch_), RGN_AND);
}

bool Region::AppendRects(std::vector<Rect>& out) {
  if (!region_) return false;
  const HRGN rgn = AsRegion(region_);
  DWORD size = GetRegionData(rgn, 0, nullptr);
  const bool cached = size != 0 && dataCache_.size() >= size &&
                      GetRegionData(rgn, size, reinterpret_cast<RGNDATA*>(dataCache_.data())) != 0;
  if (!cached) {
    std::vector<uint8_t>().swap(dataCache_);
    size = GetRegionData(rgn, 0, nullptr);
    if (size == 0) return false;
    try {
      dataCache_.resize(size);
    } catch (const std::bad_alloc&) {
      return false;
    }
    if (GetRegionData(rgn, size, reinterpret_cast<RGNDATA*>(dataCache_.data())) == 0) return false;
  }
  RGNDATAHEADER header;
  std::memcpy(&header, dataCache_.data(), sizeof header);
  const auto* rects = reinterpret_cast<const RECT*>(dataCache_.data() + sizeof(RGNDATAHEADER));
  for (DWORD i = 0; i < header.nCount; ++i)
    out.push_back(Rect{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom});
  return true;
}
