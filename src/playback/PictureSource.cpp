#include "playback/PictureSource.h"

#include <algorithm>
#include <cstring>

#include "recording/ContainerFormat.h"

namespace {

// BITMAPINFOHEADER fields and the masks that follow it.
constexpr uint32_t kBiCompression = 16;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kMasks = 40;
constexpr uint32_t kColourTable = 40;

constexpr uint32_t kRgb555[3] = {0x7C00, 0x03E0, 0x001F};
constexpr uint32_t kBgrx[3] = {0xFF0000, 0x00FF00, 0x0000FF};

// A channel of `bits` bits widened to 8 by repeating its bits, as the
// display's own conversion does (5 bits: v << 3 | v >> 2).
uint32_t Widen(uint32_t v, int bits) {
    if (bits <= 0)
        return 0;
    if (bits >= 8)
        return v >> (bits - 8);
    uint32_t out = 0;
    int filled = 0;
    while (filled < 8) {
        out = out << bits | v;
        filled += bits;
    }
    return out >> (filled - 8);
}

// The 8-bit value of a channel given by its mask in a pixel.
uint32_t Channel(uint32_t pixel, uint32_t mask) {
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!(mask >> shift & 1))
        ++shift;
    int bits = 0;
    while (shift + bits < 32 && mask >> (shift + bits))
        ++bits;
    return Widen((pixel & mask) >> shift, bits);
}

uint32_t Rgb(uint32_t pixel, const uint32_t masks[3]) {
    return Channel(pixel, masks[0]) << 16 | Channel(pixel, masks[1]) << 8 |
           Channel(pixel, masks[2]);
}

}  // namespace

bool PictureSource::Format::operator==(const Format& o) const {
    return bitCount == o.bitCount && masked == o.masked && std::equal(masks, masks + 3, o.masks);
}

PictureSource::Format PictureSource::FormatOf(const FrameImage& image) {
    Format f;
    f.bitCount = image.BitCount();
    const bool bitfields = vqd::ReadU32(image.bitmapInfo + kBiCompression) == kBiBitfields;
    f.masked = bitfields && (f.bitCount == 16 || f.bitCount == 32);
    const uint32_t* standard = f.bitCount == 16 ? kRgb555 : kBgrx;
    for (int i = 0; i < 3; ++i)
        f.masks[i] = f.masked ? vqd::ReadU32(image.bitmapInfo + kMasks + 4 * i) : standard[i];
    return f;
}

bool PictureSource::TakeFormat(const FrameImage& image) {
    const Format next = FormatOf(image);
    if (next.bitCount == 8) {
        // The colour table may change with every format: read it each time.
        colours.resize(256);
        for (uint32_t i = 0; i < 256; ++i)
            colours[i] = vqd::ReadU32(image.bitmapInfo + kColourTable + 4 * i) & 0xFFFFFF;
        layout = Layout::kIndexed;
    } else if (next.bitCount == 16) {
        if (!(next == format) || colours.size() != 0x10000) {
            colours.resize(0x10000);
            for (uint32_t v = 0; v < 0x10000; ++v)
                colours[v] = Rgb(v, next.masks);
        }
        layout = Layout::kTable16;
    } else if (next.bitCount == 24) {
        layout = Layout::kBgr24;
    } else if (next.bitCount == 32) {
        layout =
            std::equal(next.masks, next.masks + 3, kBgrx) ? Layout::kBgrx32 : Layout::kMasked32;
    } else {
        return false;
    }
    format = next;
    return true;
}

bool PictureSource::Attach(const FrameImage& img, const Rect& captureRect) {
    capture = captureRect.IsEmpty() ? Rect{} : captureRect;
    image = img.currentImage && TakeFormat(img) ? &img : nullptr;
    return image != nullptr;
}

void PictureSource::ReadImageRow(const uint8_t* row, int32_t x0, int32_t x1, uint32_t* out) const {
    switch (layout) {
        case Layout::kIndexed:
            for (int32_t x = x0; x < x1; ++x)
                *out++ = colours[row[x]];
            break;
        case Layout::kTable16:
            for (int32_t x = x0; x < x1; ++x)
                *out++ = colours[row[2 * x] | row[2 * x + 1] << 8];
            break;
        case Layout::kBgr24:
            for (int32_t x = x0; x < x1; ++x)
                *out++ = uint32_t(row[3 * x + 2]) << 16 | row[3 * x + 1] << 8 | row[3 * x];
            break;
        case Layout::kBgrx32:
            for (int32_t x = x0; x < x1; ++x)
                *out++ = vqd::ReadU32(row + 4 * x) & 0xFFFFFF;
            break;
        case Layout::kMasked32:
            for (int32_t x = x0; x < x1; ++x)
                *out++ = Rgb(vqd::ReadU32(row + 4 * x), format.masks);
            break;
    }
}

void PictureSource::ReadRow(int32_t y, int32_t x0, int32_t x1, uint32_t* out) const {
    if (x1 <= x0)
        return;
    if (!image) {
        std::fill(out, out + (x1 - x0), 0u);
        return;
    }
    // Image columns and the memory row of picture row y.
    const int32_t left = capture.left + x0, right = capture.left + x1;
    const int32_t row = image->BiHeight() < 0 ? capture.top + y : capture.bottom - 1 - y;
    const int32_t from = std::clamp<int32_t>(left, 0, int32_t(image->width));
    const int32_t to = std::clamp<int32_t>(right, from, int32_t(image->width));
    if (row < 0 || row >= int32_t(image->height) || from == to) {
        std::fill(out, out + (x1 - x0), 0u);
        return;
    }
    std::fill(out, out + (from - left), 0u);
    ReadImageRow(image->currentImage + size_t(row) * image->stride, from, to, out + (from - left));
    std::fill(out + (to - left), out + (x1 - x0), 0u);
}

Rect PictureSource::FromImage(const Rect& r) const {
    Rect p{r.left - capture.left, 0, r.right - capture.left, 0};
    if (!image || image->BiHeight() < 0) {
        p.top = r.top - capture.top;
        p.bottom = r.bottom - capture.top;
    } else {  // memory rows run upward on the screen
        p.top = capture.bottom - r.bottom;
        p.bottom = capture.bottom - r.top;
    }
    const Rect clipped{std::max(p.left, 0), std::max(p.top, 0), std::min(p.right, Width()),
                       std::min(p.bottom, Height())};
    return clipped.IsEmpty() ? Rect{} : clipped;
}
