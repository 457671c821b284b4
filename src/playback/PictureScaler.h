// Resamples the video onto a picture of the screen's size, a rectangle at a
// time: every screen pixel comes out the same whichever rectangle computed
// it, so a paint of the changed parts equals a paint of the whole picture.
// Area weighting on both axes: shrinking lets every source pixel count, and
// enlarging blends at most one pixel at each edge. Integer arithmetic only.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "playback/AxisWeights.h"
#include "playback/PictureOverlay.h"
#include "playback/PictureSource.h"
#include "playback/PixelPacking.h"

class PictureScaler {
  public:
    // Maps a video of the source size onto a picture of the given size;
    // working memory is taken here, not per call of Resample.
    void SetSizes(int32_t sourceWidth, int32_t sourceHeight, int32_t width, int32_t height);
    int32_t Width() const { return columns.Length(); }
    int32_t Height() const { return rows.Length(); }

    // The picture rectangle whose pixels depend on the source rectangle.
    Rect Reach(const Rect& source) const;

    // Computes `area` of the picture from the source with the overlay laid
    // over it. `out` is the area's top-left pixel; rows are `pitch` bytes apart.
    void Resample(const PictureSource& source, const PictureOverlay& overlay, const Rect& area,
                  const PixelPacking& packing, uint8_t* out, ptrdiff_t pitch);

  private:
    const uint32_t* SourceRow(const PictureSource& source, const PictureOverlay& overlay, int32_t y,
                              int32_t x0, int32_t x1);
    void SumRows(const PictureSource& source, const PictureOverlay& overlay, int32_t y, int32_t x0,
                 int32_t x1);
    void SumColumns(int32_t from, int32_t to);

    AxisWeights columns, rows;
    // Source rows read for the current area, a ring of rows.MostCount().
    std::vector<uint32_t> ring;
    std::vector<int32_t> ringHolds;  // the source row in each slot; -1: none
    std::vector<uint32_t> sums;      // a row's weighted sums, three a source column
    std::vector<uint32_t> line;      // one picture row, 0x00RRGGBB
};
