#include "playback/PictureScaler.h"

#include <algorithm>

// Rows are summed first, columns second. The row sums keep 8 fractional
// bits, so that the column sums stay within 32 bits:
//   row sum    <= 255 * 2^14, kept as (sum + 2^5) >> 6     <= 255 * 2^8
//   column sum <= 255 * 2^8 * 2^14 < 2^32, taken as (sum + 2^21) >> 22
namespace {
constexpr int kRowSumShift = 6;
constexpr int kColumnSumShift = 2 * AxisWeights::kOneShift - kRowSumShift;
}  // namespace

void PictureScaler::SetSizes(int32_t sourceWidth, int32_t sourceHeight, int32_t width,
                             int32_t height) {
    columns.Build(sourceWidth, width);
    rows.Build(sourceHeight, height);
    const size_t sourceColumns = size_t(columns.SourceLength());
    ring.assign(size_t(rows.MostCount()) * sourceColumns, 0);
    ringHolds.assign(size_t(rows.MostCount()), -1);
    sums.assign(3 * sourceColumns, 0);
    line.assign(std::max(sourceColumns, size_t(columns.Length())), 0);
}

Rect PictureScaler::Reach(const Rect& source) const {
    Rect r;
    columns.Reach(source.left, source.right, r.left, r.right);
    rows.Reach(source.top, source.bottom, r.top, r.bottom);
    return r.IsEmpty() ? Rect{} : r;
}

// Source row y, read once per area: columns [x0, x1) hold it.
const uint32_t* PictureScaler::SourceRow(const PictureSource& source, const PictureOverlay& overlay,
                                         int32_t y, int32_t x0, int32_t x1) {
    const size_t slot = size_t(y) % ringHolds.size();
    uint32_t* row = &ring[slot * size_t(columns.SourceLength())];
    if (ringHolds[slot] != y) {
        source.ReadRow(y, x0, x1, row + x0);
        overlay.Apply(y, x0, x1, row + x0);
        ringHolds[slot] = y;
    }
    return row;
}

void PictureScaler::SumRows(const PictureSource& source, const PictureOverlay& overlay, int32_t y,
                            int32_t x0, int32_t x1) {
    uint32_t* s = sums.data();
    std::fill(s + 3 * x0, s + 3 * x1, 0u);
    const uint16_t* w = rows.Weights(y);
    for (int k = 0; k < rows.Count(y); ++k) {
        if (w[k] == 0)
            continue;
        const uint32_t weight = w[k];
        const uint32_t* row = SourceRow(source, overlay, rows.First(y) + k, x0, x1);
        for (int32_t x = x0; x < x1; ++x) {
            const uint32_t p = row[x];
            s[3 * x] += weight * (p >> 16 & 0xFF);
            s[3 * x + 1] += weight * (p >> 8 & 0xFF);
            s[3 * x + 2] += weight * (p & 0xFF);
        }
    }
    constexpr uint32_t half = 1u << (kRowSumShift - 1);
    for (int32_t i = 3 * x0; i < 3 * x1; ++i)
        s[i] = (s[i] + half) >> kRowSumShift;
}

void PictureScaler::SumColumns(int32_t from, int32_t to) {
    constexpr uint32_t half = 1u << (kColumnSumShift - 1);
    for (int32_t x = from; x < to; ++x) {
        const uint16_t* w = columns.Weights(x);
        const uint32_t* s = &sums[3 * size_t(columns.First(x))];
        uint32_t r = half, g = half, b = half;
        for (int k = 0; k < columns.Count(x); ++k) {
            r += w[k] * s[3 * k];
            g += w[k] * s[3 * k + 1];
            b += w[k] * s[3 * k + 2];
        }
        line[size_t(x - from)] =
            (r >> kColumnSumShift) << 16 | (g >> kColumnSumShift) << 8 | b >> kColumnSumShift;
    }
}

void PictureScaler::Resample(const PictureSource& source, const PictureOverlay& overlay,
                             const Rect& area, const PixelPacking& packing, uint8_t* out,
                             ptrdiff_t pitch) {
    const Rect a{std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, Width()),
                 std::min(area.bottom, Height())};
    if (a.IsEmpty())
        return;
    out += (a.top - area.top) * pitch + (a.left - area.left) * packing.BytesPerPixel();
    const int32_t width = a.right - a.left;
    if (columns.IsIdentity() && rows.IsIdentity()) {
        for (int32_t y = a.top; y < a.bottom; ++y, out += pitch) {
            source.ReadRow(y, a.left, a.right, line.data());
            overlay.Apply(y, a.left, a.right, line.data());
            packing.PackRow(line.data(), width, out);
        }
        return;
    }
    std::fill(ringHolds.begin(), ringHolds.end(), -1);
    const int32_t x0 = columns.First(a.left);
    const int32_t x1 = columns.First(a.right - 1) + columns.Count(a.right - 1);
    for (int32_t y = a.top; y < a.bottom; ++y, out += pitch) {
        SumRows(source, overlay, y, x0, x1);
        SumColumns(a.left, a.right);
        packing.PackRow(line.data(), width, out);
    }
}
