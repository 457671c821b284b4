// Applying FrameUpdates the encoder never makes: run addressing at the edges,
// bounds, cut-short and unknown commands, impossible formats. What the
// encoder makes is checked by the round trip (EncoderTest).
#include <gtest/gtest.h>

#include "FrameUpdateBuilder.h"
#include "recording/ContainerFormat.h"
#include "recording/FrameUpdateFormat.h"

namespace {

using Rects = std::vector<Rect>;
using B = FrameUpdateBuilder;

// The update with its data area length field set to length.
Bytes WithDataLength(Bytes u, uint32_t length) {
    vqd::WriteU32(&u[vqd::ReadU32(u.data())], length);
    return u;
}
// The update with its command area ending at end.
Bytes WithAreaEnd(Bytes u, uint32_t end) {
    vqd::WriteU32(u.data(), end);
    return u;
}
// The update with change bytes more (zeros) or fewer at its end.
Bytes ResizedBy(Bytes u, int change) {
    u.resize(size_t(int(u.size()) + change));
    return u;
}

using Changes = std::vector<std::pair<uint32_t, uint8_t>>;

// bitCount: of the 16 x 8 picture before the update, every byte its offset (0: none);
// changed: the bytes of both pictures that change.
struct Case {
    Case(uint16_t bitCount, Bytes update, Changes changed = {}, Rects dirty = {}, Point cursor = {})
        : bitCount(bitCount), update(update), changed(changed), dirty(dirty), cursor(cursor) {}
    uint16_t bitCount;
    Bytes update;
    Changes changed;
    Rects dirty;
    Point cursor;
};

const Case cases[] = {
    // A run crossing the row end inside the buffer.
    Case(8, B().PixelRuns({{14, 0, 0, {9, 9, 9}}}).Build(), {{14, 9}, {15, 9}, {16, 9}},
         {{14, 0, 19, 1}}),
    // A run is marked from its first byte's pixel to two beyond its end.
    Case(16, B().PixelRuns({{1, 0, 3, {7, 7, 7}}}).Build(), {{5, 7}, {6, 7}, {7, 7}},
         {{2, 0, 6, 1}}),
    // Runs take the run bytes in order across commands.
    Case(8, B().PixelRuns({{0, 0, 0, {1, 2}}}).PixelRuns({{0, 1, 0, {3}}, {4, 1, 0, {4}}}).Build(),
         {{0, 1}, {1, 2}, {16, 3}, {20, 4}}, {{0, 0, 4, 1}, {0, 1, 3, 2}, {4, 1, 7, 2}}),
    // A run ending at the picture's last byte is applied.
    Case(8, B().PixelRuns({{14, 7, 0, {1, 2}}}).Build(), {{126, 1}, {127, 2}}, {{14, 7, 18, 8}}),
    // A run outside the picture is skipped and leaves its bytes to the next.
    Case(8, B().PixelRuns({{15, 7, 0, {1, 2}}, {0, 0, 0, {5}}}).Build(), {{0, 1}}, {{0, 0, 3, 1}}),
    // A run past the data area is skipped.
    Case(8, WithDataLength(B().PixelRuns({{0, 0, 0, {1, 2}}}).Build(), 5)),
    // A data area length beyond the bytes present is limited to them.
    Case(8,
         ResizedBy(
             WithDataLength(B().PixelRuns({{0, 0, 0, {1, 2}}, {0, 1, 0, {3}}}).Build(), 0xFFFFFFF0),
             -1),
         {{0, 1}, {1, 2}}, {{0, 0, 4, 1}}),
    // A zero-length run in a data area of no run bytes still marks its pixels.
    Case(8, WithDataLength(ResizedBy(B().PixelRuns({{3, 0, 0, {}}}).Build(), 4), 4), {},
         {{3, 0, 5, 1}}),
    // The data area is never read as commands.
    Case(8, B().PixelRuns({{0, 0, 0, {3, 0, 7, 0, 9, 0, 1, 0}}}).Build(),
         {{0, 3}, {1, 0}, {2, 7}, {3, 0}, {4, 9}, {5, 0}, {6, 1}, {7, 0}}, {{0, 0, 10, 1}}),
    // Without a data area every run is skipped.
    Case(8, ResizedBy(B().PixelRuns({{0, 0, 0, {}}, {0, 0, 0, {1}}}).Build(), -2)),
    // Moves read the picture as it was before the command.
    Case(8, B().MovedRuns({{0, 1, 0, 1, 0, 2}, {0, 1, 0, 2, 0, 2}}).Build(),
         {{16, 0}, {17, 1}, {32, 16}, {33, 17}}, {{0, 1, 4, 2}, {0, 2, 4, 3}}),
    // A move from outside the picture is skipped.
    Case(8, B().MovedRuns({{0, 1, 0, 0, 0, 4}, {0, -8, 0, 0, 0, 4}}).Build()),
    // Runs before any picture are skipped and keep their bytes.
    Case(0,
         B().PixelRuns({{0, 0, 0, {7}}}).ImageFormat(4, 4, 8).PixelRuns({{1, 0, 0, {8}}}).Build(),
         {{1, 7}}, {{0, 0, 4, 4}, {1, 0, 4, 1}}),
    // A runs command without picture and below 6 bytes ends the update.
    Case(0, B().Command(5, vqd::kPixelRuns).Cursor(1, 2, 1, 1).Build()),
    // Unknown commands are skipped by their size.
    Case(0, B().Command(6, 9).Cursor(1, 2, 0, 1).Build(), {}, {}, {1, 2}),
    // An unknown command below 6 bytes ends the update.
    Case(0, B().Cursor(5, 5, 0, 0).Command(3, 9).Cursor(1, 2, 0, 1).Build(), {}, {}, {5, 5}),
    // An image format takes 1070 bytes whatever its size says.
    Case(0, B().Command(6, vqd::kImageFormat, BitmapInfo(4, 4, 32)).Cursor(3, 4, 0, 0).Build(), {},
         {{0, 0, 4, 4}}, {3, 4}),
    // Entries are read while they start inside the command.
    Case(8,
         B().Command(7, vqd::kPixelRuns, {0, 0, 0, 0, 0, 0, 1, 0})
             .DataBytes({42})
             .Cursor(9, 9, 0, 0)
             .Build(),
         {{0, 42}}, {{0, 0, 3, 1}}, {9, 9}),
    // An entry cut short ends the update after the complete ones.
    Case(8,
         B().Cursor(5, 5, 0, 0)
             .Command(6 + 24, vqd::kMovedRuns, {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0})
             .Build(),
         {{16, 0}}, {{0, 1, 3, 2}}, {5, 5}),
    // A command may reach past the command area.
    Case(0, WithAreaEnd(B().Cursor(7, 8, 1, 0).Build(), 5), {}, {}, {7, 8}),
    // A command header past the end stops quietly.
    Case(0, ResizedBy(WithAreaEnd(B().Cursor(7, 8, 1, 0).Build(), 1000), 1), {}, {}, {7, 8}),
    // Cursor and capture bodies that do not fit stop quietly.
    Case(0, ResizedBy(B().Cursor(7, 8, 1, 0).Build(), -1)),
    Case(0, ResizedBy(B().CaptureRect(1, 2, 3, 4).Build(), -1)),
    // An image format body that does not fit stops quietly.
    Case(0, B().Command(vqd::kImageFormatCommandSize, vqd::kImageFormat, Bytes(100, 0)).Build()),
};

class FrameUpdate : public ::testing::TestWithParam<Case> {
  protected:
    void TearDown() override { image.Clear(); }
    bool Apply(const Bytes& u) {
        return vqd::ApplyFrameUpdate(u.data(), uint32_t(u.size()), image, sink);
    }
    // A 16 x 8 picture, every byte of both copies holding its own offset.
    void Start(uint16_t bitCount) {
        ASSERT_TRUE(Apply(B().ImageFormat(16, -8, bitCount).Build()));
        for (uint32_t i = 0; i < image.imageSize; ++i)
            image.currentImage[i] = image.referenceImage[i] = uint8_t(i);
        sink.dirty.clear();
    }
    // The picture Start made, as it was.
    bool Unchanged() const {
        bool same = image.width == 16 && image.bytesPerPixel == 2;
        for (uint32_t i = 0; i < image.imageSize; ++i)
            same = same && image.currentImage[i] == uint8_t(i) &&
                   image.referenceImage[i] == uint8_t(i);
        return same;
    }
    FrameImage image;
    RecordingSink sink;
};

TEST_P(FrameUpdate, ChangesOnlyWhatItMayReach) {
    const Case& c = GetParam();
    if (c.bitCount)
        Start(c.bitCount);
    ASSERT_TRUE(Apply(c.update));
    Bytes expected(image.imageSize);
    for (uint32_t i = 0; i < image.imageSize; ++i)
        expected[i] = c.bitCount ? uint8_t(i) : 0;
    for (const auto& [offset, value] : c.changed)
        expected[offset] = value;
    EXPECT_EQ(Bytes(image.currentImage, image.currentImage + image.imageSize), expected);
    EXPECT_EQ(Bytes(image.referenceImage, image.referenceImage + image.imageSize), expected);
    EXPECT_EQ(sink.dirty, c.dirty);
    EXPECT_EQ(sink.cursor, c.cursor);
}

INSTANTIATE_TEST_SUITE_P(Edges, FrameUpdate, ::testing::ValuesIn(cases));

TEST_F(FrameUpdate, ImpossibleFormatsAndShortUpdatesFailAndLeaveThePicture) {
    Start(16);
    for (const Bytes& info :
         {BitmapInfo(16, 8, 4), BitmapInfo(16385, 8, 8), BitmapInfo(16, -16385, 8),
          BitmapInfo(0, 8, 8), BitmapInfo(-4, 8, 8), BitmapInfo(16, 0, 8),
          BitmapInfo(16384, 16384, 32), BitmapInfo(16, INT32_MIN, 8)}) {
        EXPECT_FALSE(Apply(B().Cursor(1, 1, 1, 1).ImageFormat(info).Build()));
        EXPECT_EQ(sink.cursor, (Point{1, 1}));  // what came before stays
        EXPECT_TRUE(Unchanged());
    }
    EXPECT_TRUE(Apply(Bytes{4, 0, 0, 0}));
    EXPECT_FALSE(Apply(Bytes{1, 0, 0}));
    EXPECT_FALSE(Apply(Bytes{}));
}

}  // namespace
