#include "recording/MoveDetector.h"

#include <algorithm>
#include <cstring>

#include "recording/FrameUpdateFormat.h"

namespace vqd {
namespace {
constexpr int32_t kStripPixels = 8;      // content compared as strips of this many pixels
constexpr int32_t kAnchorRowStep = 4;    // rows of the new frame probed for displacements
constexpr uint32_t kMinVotes = 3;        // strips that must agree on a displacement
constexpr size_t kMaxDisplacements = 4;  // displacements tried per frame
constexpr size_t kMaxCandidates = 64;    // distinct displacements counted per frame
constexpr int32_t kMinMovePixels = 16;   // shorter stretches are cheaper as new pixels

uint32_t TableSizeFor(size_t entries) {
    uint32_t size = 1024;
    while (size < entries * 2)
        size *= 2;
    return size;
}
}  // namespace

const uint8_t* MoveDetector::Pixel(const uint8_t* picture, int32_t x, int32_t y) const {
    return picture + size_t(y) * layout_.stride + size_t(x) * layout_.bytesPerPixel;
}

uint32_t MoveDetector::StripHash(const uint8_t* p) const {
    uint32_t h = 2166136261u;
    for (uint32_t i = 0; i < kStripPixels * layout_.bytesPerPixel; ++i)
        h = (h ^ p[i]) * 16777619u;
    return h;
}

bool MoveDetector::Uniform(const uint8_t* p) const {
    const uint32_t bpp = layout_.bytesPerPixel;
    for (int32_t i = 1; i < kStripPixels; ++i)
        if (std::memcmp(p, p + i * bpp, bpp) != 0)
            return false;
    return true;
}

bool MoveDetector::ChangedBounds(Rect& bounds) const {
    const uint32_t bpp = layout_.bytesPerPixel;
    const size_t rowBytes = size_t(area_.right - area_.left) * bpp;
    bounds = Rect{area_.right, area_.bottom, area_.left, area_.top};
    for (int32_t y = area_.top; y < area_.bottom; ++y) {
        const uint8_t* a = Pixel(before_, area_.left, y);
        const uint8_t* b = Pixel(after_, area_.left, y);
        if (std::memcmp(a, b, rowBytes) == 0)
            continue;
        size_t first = 0, last = rowBytes - 1;
        while (a[first] == b[first])
            ++first;
        while (a[last] == b[last])
            --last;
        bounds.left = std::min(bounds.left, area_.left + int32_t(first / bpp));
        bounds.right = std::max(bounds.right, area_.left + int32_t(last / bpp) + 1);
        bounds.top = std::min(bounds.top, y);
        bounds.bottom = y + 1;
    }
    return !bounds.IsEmpty();
}

// Strips of the previous frame inside the changed bounds (where moved
// content comes from), at every kStripPixels-th column.
void MoveDetector::IndexBefore(const Rect& bounds) {
    const int32_t columns = (bounds.right - bounds.left) / kStripPixels;
    table_.assign(TableSizeFor(size_t(columns) * size_t(bounds.bottom - bounds.top)),
                  Slot{0, -1, -1});
    const uint32_t mask = uint32_t(table_.size() - 1);
    for (int32_t y = bounds.top; y < bounds.bottom; ++y) {
        for (int32_t c = 0; c < columns; ++c) {
            const int32_t x = bounds.left + c * kStripPixels;
            const uint8_t* p = Pixel(before_, x, y);
            if (Uniform(p))
                continue;
            const uint32_t h = StripHash(p);
            uint32_t i = h & mask;
            while (table_[i].x >= 0 && table_[i].hash != h)
                i = (i + 1) & mask;
            if (table_[i].x < 0)
                table_[i] = Slot{h, x, y};  // the first of equal strips is kept
        }
    }
}

// Changed strips of the new frame, looked up in the previous one: each hit
// votes for its displacement.
void MoveDetector::VoteDisplacements(const Rect& bounds) {
    votes_.clear();
    const uint32_t mask = uint32_t(table_.size() - 1);
    const size_t stripBytes = size_t(kStripPixels) * layout_.bytesPerPixel;
    for (int32_t y = bounds.top; y < bounds.bottom; y += kAnchorRowStep) {
        for (int32_t x = bounds.left; x + kStripPixels <= bounds.right; ++x) {
            const uint8_t* p = Pixel(after_, x, y);
            if (std::memcmp(p, Pixel(before_, x, y), stripBytes) == 0 || Uniform(p))
                continue;
            const uint32_t h = StripHash(p);
            uint32_t i = h & mask;
            while (table_[i].x >= 0 && table_[i].hash != h)
                i = (i + 1) & mask;
            const Slot& s = table_[i];
            if (s.x < 0 || std::memcmp(p, Pixel(before_, s.x, s.y), stripBytes) != 0)
                continue;
            const int32_t dx = x - s.x, dy = y - s.y;
            auto it = std::find_if(votes_.begin(), votes_.end(),
                                   [&](const Displacement& d) { return d.dx == dx && d.dy == dy; });
            if (it != votes_.end())
                ++it->votes;
            else if (votes_.size() < kMaxCandidates)
                votes_.push_back(Displacement{dx, dy, 1});
            x += kStripPixels - 1;  // the next strip of this row starts after this one
        }
    }
    std::stable_sort(
        votes_.begin(), votes_.end(),
        [](const Displacement& a, const Displacement& b) { return a.votes > b.votes; });
}

// Stretches of the new frame that equal the previous one displaced by d, not
// claimed by a better displacement, trimmed to the pixels that changed.
void MoveDetector::ClaimStretches(const Displacement& d, const Rect& bounds,
                                  std::vector<MovedRun>& moves) {
    const uint32_t bpp = layout_.bytesPerPixel;
    const int32_t width = bounds.right - bounds.left;
    const int32_t longest = int32_t(kLongestRun / bpp);
    const int32_t left = std::max(bounds.left, area_.left + d.dx);
    const int32_t right = std::min(bounds.right, area_.right + d.dx);
    for (int32_t y = bounds.top; y < bounds.bottom; ++y) {
        const int32_t sy = y - d.dy;
        if (sy < area_.top || sy >= area_.bottom)
            continue;
        uint8_t* claimed = claimed_.data() + size_t(y - bounds.top) * width;
        auto matches = [&](int32_t x) {
            return !claimed[x - bounds.left] &&
                   std::memcmp(Pixel(after_, x, y), Pixel(before_, x - d.dx, sy), bpp) == 0;
        };
        auto changed = [&](int32_t x) {
            return std::memcmp(Pixel(after_, x, y), Pixel(before_, x, y), bpp) != 0;
        };
        for (int32_t x = left; x < right;) {
            if (!matches(x)) {
                ++x;
                continue;
            }
            int32_t end = x;
            while (end < right && matches(end))
                ++end;
            int32_t first = x, last = end;
            while (first < last && !changed(first))
                ++first;
            while (last > first && !changed(last - 1))
                --last;
            for (int32_t at = first; last - first >= kMinMovePixels && at < last; at += longest) {
                const int32_t n = std::min(longest, last - at);
                moves.push_back(MovedRun{int16_t(d.dx), int16_t(d.dy), uint16_t(at), uint16_t(y),
                                         uint16_t(n * bpp)});
                std::memset(claimed + (at - bounds.left), 1, size_t(n));
            }
            x = end;
        }
    }
}

void MoveDetector::Find(const uint8_t* before, const uint8_t* after, const ImageLayout& layout,
                        const Rect& area, std::vector<MovedRun>& moves) {
    before_ = before;
    after_ = after;
    layout_ = layout;
    area_ = area;
    Rect bounds;
    if (area.IsEmpty() || !ChangedBounds(bounds) || bounds.right - bounds.left < kStripPixels)
        return;
    IndexBefore(bounds);
    VoteDisplacements(bounds);
    claimed_.assign(size_t(bounds.right - bounds.left) * size_t(bounds.bottom - bounds.top), 0);
    const size_t first = moves.size();
    for (size_t i = 0; i < votes_.size() && i < kMaxDisplacements && votes_[i].votes >= kMinVotes;
         ++i)
        ClaimStretches(votes_[i], bounds, moves);
    std::sort(moves.begin() + first, moves.end(), [](const MovedRun& a, const MovedRun& b) {
        return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
}

}  // namespace vqd
