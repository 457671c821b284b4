#include "recording/BandedRegion.h"

#include <algorithm>

namespace {
Rect Ordered(const Rect& r) {
  return Rect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}
}  // namespace

void BandedRegion::Clear() {
  rects_.clear();
  banded_ = true;
}

void BandedRegion::Add(const Rect& r) {
  const Rect o = Ordered(r);
  if (o.IsEmpty()) return;
  rects_.push_back(o);
  banded_ = false;
}

void BandedRegion::Intersect(const Rect& r) {
  const Rect clip = Ordered(r);
  size_t kept = 0;
  for (const Rect& x : rects_) {
    const Rect c{std::max(x.left, clip.left), std::max(x.top, clip.top),
                 std::min(x.right, clip.right), std::min(x.bottom, clip.bottom)};
    if (!c.IsEmpty()) rects_[kept++] = c;
  }
  rects_.resize(kept);
  banded_ = false;
}

const std::vector<Rect>& BandedRegion::Rects() {
  if (!banded_) MakeBands();
  return rects_;
}

// A sweep from top to bottom: between two consecutive edges the set of
// rectangles crossing the sweep line is constant, and its spans form a band.
void BandedRegion::MakeBands() {
  std::sort(rects_.begin(), rects_.end(),
            [](const Rect& a, const Rect& b) { return a.top < b.top; });
  bands_.clear();
  active_.clear();
  lastBandBegin_ = 0;
  size_t next = 0;
  int32_t y = 0;
  while (next < rects_.size() || !active_.empty()) {
    if (active_.empty()) y = rects_[next].top;
    while (next < rects_.size() && rects_[next].top <= y) active_.push_back(rects_[next++]);
    int32_t bottom = next < rects_.size() ? rects_[next].top : INT32_MAX;
    for (const Rect& a : active_) bottom = std::min(bottom, a.bottom);
    EmitBand(y, bottom);
    y = bottom;
    active_.erase(std::remove_if(active_.begin(), active_.end(),
                                 [y](const Rect& a) { return a.bottom <= y; }),
                  active_.end());
  }
  rects_.swap(bands_);
  banded_ = true;
}

void BandedRegion::EmitBand(int32_t top, int32_t bottom) {
  spans_.clear();
  for (const Rect& a : active_) spans_.push_back(Span{a.left, a.right});
  std::sort(spans_.begin(), spans_.end(),
            [](const Span& a, const Span& b) { return a.left < b.left; });
  size_t merged = 0;
  for (const Span& s : spans_) {
    if (merged > 0 && s.left <= spans_[merged - 1].right)
      spans_[merged - 1].right = std::max(spans_[merged - 1].right, s.right);
    else
      spans_[merged++] = s;
  }
  spans_.resize(merged);

  // Coalesce with the band above when it ends here and has the same spans.
  const size_t lastCount = bands_.size() - lastBandBegin_;
  bool same = !bands_.empty() && bands_.back().bottom == top && lastCount == merged;
  for (size_t i = 0; same && i < merged; ++i) {
    const Rect& b = bands_[lastBandBegin_ + i];
    same = b.left == spans_[i].left && b.right == spans_[i].right;
  }
  if (same) {
    for (size_t i = lastBandBegin_; i < bands_.size(); ++i) bands_[i].bottom = bottom;
    return;
  }
  lastBandBegin_ = bands_.size();
  for (const Span& s : spans_) bands_.push_back(Rect{s.left, top, s.right, bottom});
}
