// How one axis of the video maps onto the screen: each screen pixel is the
// average of the source pixels it covers, each weighted by the share of the
// screen pixel it covers (area weighting, a box filter). Weights are 14-bit
// fixed point and add up to exactly 1 for every screen pixel.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class AxisWeights {
  public:
    static constexpr int kOneShift = 14;
    static constexpr uint32_t kOne = 1u << kOneShift;

    // source pixels [0, sourceLength) onto screen pixels [0, length).
    void Build(int32_t sourceLength, int32_t length);

    int32_t SourceLength() const { return sourceLength; }
    int32_t Length() const { return length; }
    bool IsIdentity() const { return sourceLength == length; }
    // The largest number of source pixels one screen pixel covers.
    int MostCount() const { return mostCount; }

    // Screen pixel i covers source pixels First(i) .. First(i) + Count(i) - 1.
    int32_t First(int32_t i) const { return first[size_t(i)]; }
    int Count(int32_t i) const { return count[size_t(i)]; }
    const uint16_t* Weights(int32_t i) const { return &weights[size_t(i) * size_t(mostCount)]; }

    // The screen pixels [from, to) that source pixels [sourceFrom, sourceTo)
    // reach, clipped to the screen.
    void Reach(int32_t sourceFrom, int32_t sourceTo, int32_t& from, int32_t& to) const;

  private:
    int32_t sourceLength = 0;
    int32_t length = 0;
    int mostCount = 0;
    std::vector<int32_t> first;
    std::vector<int> count;
    std::vector<uint16_t> weights;  // mostCount a screen pixel
};
