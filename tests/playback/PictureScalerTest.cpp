// The scaler that makes the screen's picture: against exact area averages
// computed here in double precision (which leaves an enlarged edge one blended
// pixel and flat colours as they were), and a rectangle at a time against the
// whole picture at once.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "FrameUpdateBuilder.h"
#include "playback/PictureScaler.h"

namespace {

// A decoder's picture that frees its buffers.
struct OwnedImage : FrameImage {
    OwnedImage() = default;
    OwnedImage(const OwnedImage&) = delete;
    ~OwnedImage() { Clear(); }
};

// A 32-bit top-down picture of the given pixels as the decoder holds it.
struct Image {
    OwnedImage frame;
    Image(int32_t width, int32_t height, uint16_t bitCount = 32) {
        EXPECT_TRUE(frame.SetFormat(BitmapInfo(width, -height, bitCount).data()));
    }
    uint32_t* Pixels() { return reinterpret_cast<uint32_t*>(frame.currentImage); }
};

struct Picture {
    int32_t width, height;
    std::vector<uint32_t> pixels;
    Picture(int32_t w, int32_t h) : width(w), height(h), pixels(size_t(w) * size_t(h), 0) {}
    uint32_t At(int32_t x, int32_t y) const {
        return pixels[size_t(y) * size_t(width) + size_t(x)];
    }
};

PixelPacking Rgb32() {
    PixelPacking p;
    EXPECT_TRUE(p.Take(32, 0xFF0000, 0xFF00, 0xFF));
    return p;
}

// Resamples `area` of the picture into `into` (a whole picture's pixels).
void Resample(PictureScaler& scaler, const FrameImage& image, const Rect& area, Picture& into,
              const PictureOverlay& overlay = {}) {
    PictureSource source;
    ASSERT_TRUE(source.Attach(image, {0, 0, int32_t(image.width), int32_t(image.height)}));
    uint8_t* corner = reinterpret_cast<uint8_t*>(
        &into.pixels[size_t(area.top) * size_t(into.width) + size_t(area.left)]);
    scaler.Resample(source, overlay, area, Rgb32(), corner, ptrdiff_t(into.width) * 4);
}

// The exact area average of the source under picture pixel (x, y), channel `shift`.
double ExactAverage(const uint32_t* source, int32_t sw, int32_t sh, int32_t dw, int32_t dh,
                    int32_t x, int32_t y, int shift) {
    const double x0 = double(x) * sw / dw, x1 = double(x + 1) * sw / dw;
    const double y0 = double(y) * sh / dh, y1 = double(y + 1) * sh / dh;
    double sum = 0;
    for (int32_t j = int32_t(y0); j < sh && j < y1; ++j)
        for (int32_t i = int32_t(x0); i < sw && i < x1; ++i) {
            const double w = (std::min(x1, i + 1.0) - std::max(x0, double(i))) *
                             (std::min(y1, j + 1.0) - std::max(y0, double(j)));
            sum += w * (source[size_t(j) * size_t(sw) + size_t(i)] >> shift & 0xFF);
        }
    return sum / ((x1 - x0) * (y1 - y0));
}

Rect RandomRect(std::mt19937& random, int32_t width, int32_t height) {
    const int32_t x = int32_t(random() % uint32_t(width)), y = int32_t(random() % uint32_t(height));
    return {x, y, x + 1 + int32_t(random() % uint32_t(width - x)),
            y + 1 + int32_t(random() % uint32_t(height - y))};
}

TEST(PictureScaler, EveryPixelIsTheExactAreaAverageAndTheSameWhicheverAreaComputesIt) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 60; ++round) {
        const int32_t sw = 1 + int32_t(random() % 48), sh = 1 + int32_t(random() % 48);
        const bool natural = round % 6 == 0;  // natural size: a copy
        const int32_t dw = natural ? sw : 1 + int32_t(random() % 80);
        const int32_t dh = natural ? sh : 1 + int32_t(random() % 80);
        SCOPED_TRACE(testing::Message() << sw << "x" << sh << " onto " << dw << "x" << dh);
        Image image(sw, sh);
        for (int32_t i = 0; i < sw * sh; ++i)  // flat areas and sharp edges, as on screens
            image.Pixels()[i] =
                random() % 3 ? (random() % 2 ? 0xFFFFFF : 0x203040) : random() & 0xFFFFFF;
        PictureScaler scaler;
        scaler.SetSizes(sw, sh, dw, dh);
        Picture whole(dw, dh);
        Resample(scaler, image.frame, {0, 0, dw, dh}, whole);
        int off = 0;
        for (int32_t y = 0; y < dh; ++y)
            for (int32_t x = 0; x < dw; ++x)
                for (int shift = 0; shift < 24; shift += 8)
                    off +=
                        std::abs(double(whole.At(x, y) >> shift & 0xFF) -
                                 ExactAverage(image.Pixels(), sw, sh, dw, dh, x, y, shift)) > 1.0;
        EXPECT_EQ(off, 0) << "channels more than 1 away from the exact average";

        // A rectangle of the source changes: only what it reaches is computed
        // again, and the picture equals the whole picture computed afresh.
        const Rect changed = RandomRect(random, sw, sh);
        for (int32_t y = changed.top; y < changed.bottom; ++y)
            for (int32_t x = changed.left; x < changed.right; ++x)
                image.Pixels()[y * sw + x] ^= 0x5A5A5A;
        Picture pieces = whole, afresh(dw, dh);
        const Rect reach = scaler.Reach(changed);
        ASSERT_FALSE(reach.IsEmpty());
        Resample(scaler, image.frame, reach, pieces);
        Resample(scaler, image.frame, {0, 0, dw, dh}, afresh);
        EXPECT_EQ(pieces.pixels, afresh.pixels) << "after a change at (" << changed.left << ", "
                                                << changed.top << ") computed over its reach";
        // Any rectangle computed alone equals the same part of the whole, and
        // nothing outside it is written.
        Picture part(dw, dh);
        std::fill(part.pixels.begin(), part.pixels.end(), 0xABCDEFu);
        const Rect area = RandomRect(random, dw, dh);
        Resample(scaler, image.frame, area, part);
        for (int32_t y = 0; y < dh; ++y)
            for (int32_t x = 0; x < dw; ++x) {
                const bool inside =
                    x >= area.left && x < area.right && y >= area.top && y < area.bottom;
                ASSERT_EQ(part.At(x, y), inside ? afresh.At(x, y) : 0xABCDEFu) << x << ", " << y;
            }
    }
}

// Screen recordings are made of one-pixel lines: shrunk by 0.8, each stays
// visible as a line at least a third as dark (sampling would drop one in five).
TEST(PictureScaler, ShrinkingByFourFifthsKeepsEveryOnePixelLine) {
    constexpr int32_t kSide = 200, kShrunk = 160;
    Image image(kSide, kSide);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x)
            image.Pixels()[y * kSide + x] = x % 4 == 1 || y % 5 == 2 ? 0 : 0xFFFFFF;
    PictureScaler scaler;
    scaler.SetSizes(kSide, kSide, kShrunk, kShrunk);
    Picture shrunk(kShrunk, kShrunk);
    Resample(scaler, image.frame, {0, 0, kShrunk, kShrunk}, shrunk);
    // Each line's darkest pixel along a row (columns) or a column (rows),
    // away from the crossing lines.
    for (int32_t line = 1; line < kSide; line += 4) {
        uint32_t darkest = 0xFF;
        for (int32_t x = std::max(0, line * kShrunk / kSide - 1); x <= (line + 1) * kShrunk / kSide;
             ++x)
            darkest = std::min(darkest, shrunk.At(x, 0) & 0xFF);
        EXPECT_LE(darkest, 160u) << "column " << line;
    }
    for (int32_t line = 2; line < kSide; line += 5) {
        uint32_t darkest = 0xFF;
        for (int32_t y = std::max(0, line * kShrunk / kSide - 1); y <= (line + 1) * kShrunk / kSide;
             ++y)
            darkest = std::min(darkest, shrunk.At(2, y) & 0xFF);  // column 2: between the lines
        EXPECT_LE(darkest, 160u) << "row " << line;
    }
}

TEST(PictureScaler, TheOverlayIsScaledWithThePictureAndItsKeyColourIsTransparent) {
    Image image(40, 40);
    std::fill_n(image.Pixels(), 40 * 40, 0x808080u);
    // Two 4 x 4 cells: a white square with a key-coloured hole, then a red dot.
    std::vector<uint32_t> cells(8 * 4, 0xFF00FF);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 4; ++x)
            cells[size_t(y) * 8 + size_t(x)] = x == 1 && y == 1 ? 0xFF00FF : 0xFFFFFF;
    cells[2 * 8 + 6] = 0xFF0000;
    PictureOverlay overlay;
    overlay.origin = {10, 20};
    overlay.area = {10, 20, 14, 24};
    overlay.pixels = cells.data();
    overlay.pitch = 8;
    overlay.key = 0xFF00FF;
    overlay.cellCount = 2;
    overlay.cellLeft[0] = 0;
    overlay.cellLeft[1] = 4;
    PictureScaler scaler;
    scaler.SetSizes(40, 40, 80, 80);
    Picture doubled(80, 80);
    Resample(scaler, image.frame, {0, 0, 80, 80}, doubled, overlay);
    EXPECT_EQ(doubled.At(20, 40), 0xFFFFFFu);
    EXPECT_EQ(doubled.At(22, 42), 0x808080u) << "the hole";
    EXPECT_EQ(doubled.At(25, 45), 0xFF0000u) << "the second cell over the first";
    EXPECT_EQ(doubled.At(19, 40), 0x808080u);
    EXPECT_EQ(doubled.At(28, 40), 0x808080u);
}

// Each recorded format reads as the colours it stands for, rows in the
// order they are shown; the capture's parts outside the image are black.
TEST(PictureSource, ReadsEveryFormatAsRgbRowsInTheOrderShown) {
    const uint32_t kColour = 0xF0A050;
    const struct {
        uint16_t bitCount;
        uint32_t compression, masks[3];
        Bytes pixel;
        uint32_t expected;
    } formats[] = {
        {8, 0, {}, {7}, 0x070707},                                  // the grey colour table
        {16, 3, {0xF800, 0x07E0, 0x001F}, {0x10, 0x84}, 0x848284},  // 565 grey: bits repeated
        {16, 0, {}, {0x10, 0x42}, 0x848484},                        // BI_RGB: 555
        {24, 0, {}, {0x50, 0xA0, 0xF0}, kColour},                   // B, G, R
        {32, 0, {}, {0x50, 0xA0, 0xF0, 0x77}, kColour},             // the fourth byte unused
        {32, 3, {0xFF, 0xFF00, 0xFF0000}, {0x50, 0xA0, 0xF0, 0}, 0x50A0F0},  // R, G, B
    };
    for (const auto& f : formats) {
        SCOPED_TRACE(testing::Message() << f.bitCount << " bits, compression " << f.compression);
        for (const int32_t height : {3, -3}) {
            Bytes info = BitmapInfo(4, height, f.bitCount);
            vqd::WriteU32(&info[16], f.compression);
            for (int i = 0; f.compression == 3 && i < 3; ++i)
                vqd::WriteU32(&info[40 + 4 * i], f.masks[i]);
            OwnedImage image;
            ASSERT_TRUE(image.SetFormat(info.data()));
            // The pixel at column 1 of memory row 0: the top row when
            // top-down, the bottom row when bottom-up.
            std::memcpy(image.currentImage + f.pixel.size(), f.pixel.data(), f.pixel.size());
            PictureSource source;
            ASSERT_TRUE(source.Attach(image, {0, 0, 5, 3}));
            uint32_t row[5];
            source.ReadRow(height < 0 ? 0 : 2, 0, 5, row);
            EXPECT_EQ(row[1], f.expected);
            EXPECT_EQ(row[4], 0u) << "past the image's right edge";
        }
    }
    // Part of a row: the pixels asked for and no more.
    for (const uint16_t bitCount : {8, 16, 24, 32}) {
        OwnedImage wide;
        ASSERT_TRUE(wide.SetFormat(BitmapInfo(8, -1, bitCount).data()));
        std::fill_n(wide.currentImage, 8 * bitCount / 8, uint8_t(0x11));
        PictureSource source;
        ASSERT_TRUE(source.Attach(wide, {0, 0, 8, 1}));
        uint32_t part[4] = {7, 7, 7, 7};
        source.ReadRow(0, 3, 5, part + 1);
        EXPECT_EQ(part[0], 7u) << bitCount;
        EXPECT_NE(part[1], 7u) << bitCount;
        EXPECT_EQ(part[2], part[1]) << bitCount;
        EXPECT_EQ(part[3], 7u) << bitCount;
    }
    Bytes unsupported = BitmapInfo(4, 3, 12);
    OwnedImage image;
    ASSERT_TRUE(image.SetFormat(unsupported.data()));
    EXPECT_FALSE(PictureSource().Attach(image, {0, 0, 4, 3}));
}

// One reader kept from paint to paint follows the recording into another
// 16-bit format.
TEST(PictureSource, AReaderKeptAcrossFormatsReadsEachAsItIs) {
    PictureSource source;
    for (const uint32_t compression : {3u, 0u, 3u}) {  // 565, 555, 565
        Bytes info = BitmapInfo(1, 1, 16);
        vqd::WriteU32(&info[16], compression);
        OwnedImage image;
        ASSERT_TRUE(image.SetFormat(info.data()));
        image.currentImage[0] = 0xE0;  // 0x03E0: all green in 555, half of it in 565
        image.currentImage[1] = 0x03;
        ASSERT_TRUE(source.Attach(image, {0, 0, 1, 1}));
        uint32_t pixel = 0;
        source.ReadRow(0, 0, 1, &pixel);
        EXPECT_EQ(pixel, compression ? 0x007D00u : 0x00FF00u) << "compression " << compression;
    }
}

TEST(PictureSource, ChangedImageRowsMapToTheRowsShown) {
    for (const int32_t height : {-100, 100}) {
        OwnedImage image;
        ASSERT_TRUE(image.SetFormat(BitmapInfo(100, height, 32).data()));
        PictureSource source;
        ASSERT_TRUE(source.Attach(image, {10, 20, 90, 80}));
        const Rect shown = source.FromImage({30, 25, 40, 35});
        EXPECT_EQ(shown, height < 0 ? (Rect{20, 5, 30, 15}) : (Rect{20, 45, 30, 55}));
        EXPECT_EQ(source.FromImage({0, 0, 5, 100}), Rect{}) << "outside the capture";
    }
}

TEST(PixelPacking, PacksIntoTheSurfaceFormat) {
    const uint32_t colours[2] = {0xFF8040, 0x0810F8};
    const struct {
        int bitCount;
        uint32_t red, green, blue;
        Bytes packed;
    } formats[] = {
        {16, 0xF800, 0x07E0, 0x001F, {0x08, 0xFC, 0x9F, 0x08}},
        {16, 0x7C00, 0x03E0, 0x001F, {0x08, 0x7E, 0x5F, 0x04}},
        {24, 0xFF0000, 0xFF00, 0xFF, {0x40, 0x80, 0xFF, 0xF8, 0x10, 0x08}},
        {32, 0xFF, 0xFF00, 0xFF0000, {0xFF, 0x80, 0x40, 0, 0x08, 0x10, 0xF8, 0}},
    };
    for (const auto& f : formats) {
        PixelPacking packing;
        ASSERT_TRUE(packing.Take(f.bitCount, f.red, f.green, f.blue));
        Bytes out(f.packed.size());
        packing.PackRow(colours, 2, out.data());
        EXPECT_EQ(out, f.packed) << f.bitCount << " bits, red " << f.red;
    }
    EXPECT_FALSE(PixelPacking().Take(8, 0, 0, 0)) << "palette indexes";
    EXPECT_FALSE(PixelPacking().Take(16, 0xF800, 0, 0x1F)) << "no green";
}

}  // namespace
