#include "playback/AxisWeights.h"

#include <algorithm>

// Lengths are measured in units of 1 / (length * sourceLength) of the axis:
// screen pixel i spans [i * S, (i + 1) * S), source pixel j spans
// [j * L, (j + 1) * L), S and L being the source and screen lengths.
void AxisWeights::Build(int32_t source, int32_t screen) {
    sourceLength = std::max(source, 0);
    length = sourceLength > 0 ? std::max(screen, 0) : 0;
    const int64_t s = sourceLength, l = length;
    first.assign(size_t(length), 0);
    count.assign(size_t(length), 0);
    mostCount = 0;
    for (int64_t i = 0; i < l; ++i) {
        first[size_t(i)] = int32_t(i * s / l);
        count[size_t(i)] = int(((i + 1) * s + l - 1) / l - first[size_t(i)]);
        mostCount = std::max(mostCount, count[size_t(i)]);
    }
    weights.assign(size_t(length) * size_t(mostCount), 0);
    for (int64_t i = 0; i < l; ++i) {
        uint16_t* w = &weights[size_t(i) * size_t(mostCount)];
        uint32_t total = 0;
        int largest = 0;
        for (int k = 0; k < count[size_t(i)]; ++k) {
            const int64_t j = first[size_t(i)] + k;
            const int64_t overlap = std::min((i + 1) * s, (j + 1) * l) - std::max(i * s, j * l);
            w[k] = uint16_t((overlap * kOne * 2 + s) / (2 * s));  // rounded
            total += w[k];
            if (w[k] > w[largest])
                largest = k;
        }
        // The rounding error goes to the largest share, so that a flat
        // colour stays exactly that colour.
        w[largest] = uint16_t(int32_t(w[largest]) + int32_t(kOne) - int32_t(total));
    }
}

void AxisWeights::Reach(int32_t sourceFrom, int32_t sourceTo, int32_t& from, int32_t& to) const {
    const int64_t s = sourceLength, l = length;
    const int64_t a = std::clamp<int64_t>(sourceFrom, 0, s),
                  b = std::clamp<int64_t>(sourceTo, 0, s);
    if (b <= a) {
        from = to = 0;
        return;
    }
    from = int32_t(a * l / s);
    to = int32_t((b * l + s - 1) / s);
}
