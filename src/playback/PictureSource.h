// The recorded video as the presenter reads it: the capture rectangle of the
// decoded image, row by row in the order the rows are shown (the top row
// first, whatever the image's orientation), each pixel as 0x00RRGGBB.
// Picture coordinates: (0, 0) is the top-left pixel of the capture as shown.
#pragma once
#include <cstdint>
#include <vector>

#include "recording/FrameImage.h"
#include "recording/Geometry.h"

class PictureSource {
  public:
    // Reads `capture` of the image from now on. False when the image has no
    // picture or a pixel format that cannot be shown: the capture reads as
    // black then.
    bool Attach(const FrameImage& image, const Rect& capture);

    int32_t Width() const { return capture.right - capture.left; }
    int32_t Height() const { return capture.bottom - capture.top; }

    // Pixels [x0, x1) of picture row y into out. Parts of the capture
    // outside the image read as black.
    void ReadRow(int32_t y, int32_t x0, int32_t x1, uint32_t* out) const;

    // The picture rectangle that an image rectangle (a changed area of the
    // decoder: memory rows, image columns) covers, clipped to the picture.
    Rect FromImage(const Rect& imageRect) const;

  private:
    enum class Layout { kIndexed, kTable16, kBgr24, kBgrx32, kMasked32 };
    // The parts of the bitmap header that decide how pixels read.
    struct Format {
        uint16_t bitCount = 0;
        bool masked = false;
        uint32_t masks[3] = {};  // red, green, blue
        bool operator==(const Format& o) const;
    };
    static Format FormatOf(const FrameImage& image);
    bool TakeFormat(const FrameImage& image);
    void ReadImageRow(const uint8_t* row, int32_t x0, int32_t x1, uint32_t* out) const;

    const FrameImage* image = nullptr;
    Rect capture = {};
    Format format;
    Layout layout = Layout::kBgrx32;
    // 0x00RRGGBB of each 8-bit index, or of each 16-bit pixel value.
    std::vector<uint32_t> colours;
};
