// The dirty-area region: a banded region of our own.
#include "recording/Region.h"

Region::~Region() {
    Destroy();
}

bool Region::Create() {
    bands_.Clear();
    created_ = true;
    return true;
}

void Region::Destroy() {
    bands_ = BandedRegion();
    created_ = false;
}

bool Region::IsCreated() const {
    return created_;
}

void Region::SetEmpty() {
    bands_.Clear();
}

void Region::AddRect(const Rect& r) {
    bands_.Add(r);
}

void Region::IntersectRect(const Rect& r) {
    bands_.Intersect(r);
}

bool Region::AppendRects(std::vector<Rect>& out) {
    if (!created_)
        return false;
    const std::vector<Rect>& rects = bands_.Rects();
    out.insert(out.end(), rects.begin(), rects.end());
    return true;
}
