#include "recording/BandedRegion.h"

#include <algorithm>
#include <iterator>

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
    if (o.IsEmpty())
        return;
    banded_ = false;
    // Runs mostly come row after row and left to right: a rectangle that
    // continues the last one on its row, or the same span on the next row,
    // widens it instead of adding another (the union stays the same).
    if (!rects_.empty()) {
        Rect& last = rects_.back();
        if (o.top == last.top && o.bottom == last.bottom && o.left >= last.left &&
            o.left <= last.right) {
            last.right = std::max(last.right, o.right);
            return;
        }
        if (o.left == last.left && o.right == last.right && o.top == last.bottom) {
            last.bottom = o.bottom;
            return;
        }
    }
    rects_.push_back(o);
}

void BandedRegion::Intersect(const Rect& r) {
    const Rect clip = Ordered(r);
    size_t kept = 0;
    for (const Rect& x : rects_) {
        const Rect c{std::max(x.left, clip.left), std::max(x.top, clip.top),
                     std::min(x.right, clip.right), std::min(x.bottom, clip.bottom)};
        if (!c.IsEmpty())
            rects_[kept++] = c;
    }
    rects_.resize(kept);
    banded_ = false;
}

const std::vector<Rect>& BandedRegion::Rects() {
    if (!banded_)
        MakeBands();
    return rects_;
}

// Sorts rects_ by top, then left, merging the ascending runs they already
// form (each command's runs come row after row): a couple of linear passes
// in the usual case, storage reused.
void BandedRegion::SortByTop() {
    const auto less = [](const Rect& a, const Rect& b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    };
    const auto runEnd = [&](size_t begin) {
        while (++begin < rects_.size() && !less(rects_[begin], rects_[begin - 1])) {
        }
        return begin;
    };
    while (runEnd(0) < rects_.size()) {
        bands_.clear();
        for (size_t begin = 0; begin < rects_.size();) {
            const size_t middle = runEnd(begin);
            const size_t end = middle < rects_.size() ? runEnd(middle) : middle;
            std::merge(rects_.begin() + begin, rects_.begin() + middle, rects_.begin() + middle,
                       rects_.begin() + end, std::back_inserter(bands_), less);
            begin = end;
        }
        rects_.swap(bands_);
    }
}

// A sweep from top to bottom: between two consecutive edges the set of
// rectangles crossing the sweep line is constant, and its spans form a band.
void BandedRegion::MakeBands() {
    SortByTop();
    bands_.clear();
    active_.clear();
    lastBandBegin_ = 0;
    size_t next = 0;
    int32_t y = 0;
    while (next < rects_.size() || !active_.empty()) {
        if (active_.empty())
            y = rects_[next].top;
        while (next < rects_.size() && rects_[next].top <= y)
            active_.push_back(rects_[next++]);
        int32_t bottom = next < rects_.size() ? rects_[next].top : INT32_MAX;
        for (const Rect& a : active_)
            bottom = std::min(bottom, a.bottom);
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
    for (const Rect& a : active_)
        spans_.push_back(Span{a.left, a.right});
    const auto byLeft = [](const Span& a, const Span& b) { return a.left < b.left; };
    if (!std::is_sorted(spans_.begin(), spans_.end(), byLeft))
        std::sort(spans_.begin(), spans_.end(), byLeft);
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
        for (size_t i = lastBandBegin_; i < bands_.size(); ++i)
            bands_[i].bottom = bottom;
        return;
    }
    lastBandBegin_ = bands_.size();
    for (const Span& s : spans_)
        bands_.push_back(Rect{s.left, top, s.right, bottom});
}
