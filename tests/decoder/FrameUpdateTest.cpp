// Applying FrameUpdates to a picture: commands, run addressing, bounds.
#include <gtest/gtest.h>

#include <cstring>

#include "FrameUpdateBuilder.h"
#include "recording/ContainerFormat.h"
#include "recording/FrameUpdateFormat.h"

namespace {

class FrameUpdateTest : public ::testing::Test {
  protected:
    void TearDown() override { image.Clear(); }
    bool Apply(const Bytes& u) {
        return vqd::ApplyFrameUpdate(u.data(), uint32_t(u.size()), image, sink);
    }
    // A 16 x 8 image of the given depth, every byte holding its own offset.
    void Start(uint16_t bitCount = 16, int32_t height = -8) {
        ASSERT_TRUE(Apply(FrameUpdateBuilder().ImageFormat(16, height, bitCount).Build()));
        for (uint32_t i = 0; i < image.imageSize; ++i)
            image.currentImage[i] = image.referenceImage[i] = uint8_t(i);
        sink.dirty.clear();
    }
    bool Unchanged() const {
        for (uint32_t i = 0; i < image.imageSize; ++i)
            if (image.currentImage[i] != uint8_t(i) || image.referenceImage[i] != uint8_t(i))
                return false;
        return true;
    }
    FrameImage image;
    RecordingSink sink;
};

TEST_F(FrameUpdateTest, ImageFormatSetsTheGeometryAndAZeroPicture) {
    ASSERT_TRUE(Apply(FrameUpdateBuilder().ImageFormat(1024, -768, 16).Build()));
    EXPECT_EQ(image.width, 1024u);
    EXPECT_EQ(image.height, 768u);
    EXPECT_EQ(image.BiHeight(), -768);
    EXPECT_EQ(image.BitCount(), 16);
    EXPECT_EQ(image.bytesPerPixel, 2u);
    EXPECT_EQ(image.stride, 2048u);
    EXPECT_EQ(image.imageSize, 1572864u);
    EXPECT_EQ(image.currentImage[1572863], 0);
    EXPECT_EQ(image.referenceImage[0], 0);
    EXPECT_EQ(sink.dirty, (std::vector<Rect>{{0, 0, 1024, 768}}));
}

TEST_F(FrameUpdateTest, StrideIsRoundedUpToFourBytes) {
    ASSERT_TRUE(Apply(FrameUpdateBuilder().ImageFormat(5, 3, 24).Build()));
    EXPECT_EQ(image.stride, 16u);
    EXPECT_EQ(image.imageSize, 48u);
}

TEST_F(FrameUpdateTest, CaptureRectAndCursorStateAreReported) {
    ASSERT_TRUE(
        Apply(FrameUpdateBuilder().CaptureRect(141, 106, 941, 706).Cursor(300, 200, 1, 0).Build()));
    EXPECT_EQ(sink.capture, (Rect{141, 106, 941, 706}));
    EXPECT_EQ(sink.cursor, (Point{300, 200}));
    EXPECT_EQ(sink.left, 1);
    EXPECT_EQ(sink.right, 0);
    EXPECT_TRUE(sink.dirty.empty());
}

TEST_F(FrameUpdateTest, PixelRunsWriteBothPicturesAndMarkTheirPixels) {
    Start();
    ASSERT_TRUE(Apply(FrameUpdateBuilder().PixelRuns({{3, 2, 1, {0xA1, 0xA2, 0xA3}}}).Build()));
    const uint32_t at = 2 * 32 + 3 * 2 + 1;
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(image.currentImage[at + i], 0xA1 + i);
        EXPECT_EQ(image.referenceImage[at + i], 0xA1 + i);
    }
    EXPECT_EQ(sink.dirty, (std::vector<Rect>{{3, 2, 3 + 4 / 2 + 2, 3}}));
}

TEST_F(FrameUpdateTest, ANineByteRunMarksColumns513To519) {
    ASSERT_TRUE(Apply(FrameUpdateBuilder().ImageFormat(1024, -768, 16).Build()));
    sink.dirty.clear();
    ASSERT_TRUE(Apply(FrameUpdateBuilder().PixelRuns({{497, 10, 32, Bytes(9, 7)}}).Build()));
    EXPECT_EQ(sink.dirty, (std::vector<Rect>{{513, 10, 519, 11}}));
}

TEST_F(FrameUpdateTest, RunsConsumeTheDataAreaInOrderAcrossCommands) {
    Start(8);
    ASSERT_TRUE(Apply(FrameUpdateBuilder()
                          .PixelRuns({{0, 0, 0, {1, 2}}})
                          .PixelRuns({{0, 1, 0, {3}}, {4, 1, 0, {4, 5}}})
                          .Build()));
    EXPECT_EQ(image.currentImage[0], 1);
    EXPECT_EQ(image.currentImage[1], 2);
    EXPECT_EQ(image.currentImage[16], 3);
    EXPECT_EQ(image.currentImage[20], 4);
    EXPECT_EQ(image.currentImage[21], 5);
}

TEST_F(FrameUpdateTest, ARunCrossingTheRowEndInsideTheBufferIsApplied) {
    Start(8);
    ASSERT_TRUE(Apply(FrameUpdateBuilder().PixelRuns({{14, 0, 0, {9, 9, 9, 9}}}).Build()));
    EXPECT_EQ(image.currentImage[17], 9);
    EXPECT_EQ(sink.dirty, (std::vector<Rect>{{14, 0, 20, 1}}));
}

TEST_F(FrameUpdateTest, ARunOutsideThePictureIsSkippedAndKeepsTheRunCursor) {
    Start(8);
    ASSERT_TRUE(Apply(FrameUpdateBuilder()
                          .PixelRuns({{15, 7, 0, {1, 2}}, {0, 0, 0, {5}}})  // 127 + 2 > 128
                          .Build()));
    EXPECT_EQ(image.currentImage[127], 127);
    EXPECT_EQ(image.currentImage[0], 1);  // the skipped run's bytes went to the next run
    EXPECT_EQ(sink.dirty, (std::vector<Rect>{{0, 0, 3, 1}}));
}

TEST_F(FrameUpdateTest, ARunPastTheDataAreaIsSkippedAndKeepsTheRunCursor) {
    Start(8);
    FrameUpdateBuilder b;
    b.PixelRuns({{0, 0, 0, {1, 2}}});
    Bytes u = b.Build();
    vqd::WriteU32(&u[vqd::ReadU32(u.data())], 4 + 1);  // dataAreaLength claims one run byte
    ASSERT_TRUE(Apply(u));
    EXPECT_TRUE(Unchanged());
    EXPECT_TRUE(sink.dirty.empty());
}

TEST_F(FrameUpdateTest, ALengthFieldBeyondTheBytesPresentIsLimitedToThem) {
    Start(8);
    FrameUpdateBuilder b;
    b.PixelRuns({{0, 0, 0, {1, 2}}, {0, 1, 0, {3}}});
    Bytes u = b.Build();
    vqd::WriteU32(&u[vqd::ReadU32(u.data())], 0xFFFFFFF0);
    u.pop_back();  // the second run's byte is missing
    ASSERT_TRUE(Apply(u));
    EXPECT_EQ(image.currentImage[1], 2);
    EXPECT_EQ(image.currentImage[16], 16);
}

TEST_F(FrameUpdateTest, WithoutADataAreaEveryRunIsSkipped) {
    Start(8);
    FrameUpdateBuilder b;
    b.PixelRuns({{0, 0, 0, {}}, {0, 0, 0, {1}}});
    Bytes u = b.Build();
    u.resize(vqd::ReadU32(u.data()) + 3);  // fewer than 4 bytes after the commands
    ASSERT_TRUE(Apply(u));
    EXPECT_TRUE(Unchanged());
    EXPECT_TRUE(sink.dirty.empty());
}

TEST_F(FrameUpdateTest, MovesReadThePictureAsItWasBeforeTheCommand) {
    Start(8);
    // The second move's source (row 1) is the first move's destination.
    ASSERT_TRUE(
        Apply(FrameUpdateBuilder().MovedRuns({{0, 1, 0, 1, 0, 4}, {0, 1, 0, 2, 0, 4}}).Build()));
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(image.currentImage[16 + i], i);       // row 0 moved down one row
        EXPECT_EQ(image.currentImage[32 + i], 16 + i);  // the old row 1, not the new one
        EXPECT_EQ(image.referenceImage[32 + i], 16 + i);
    }
    EXPECT_EQ(std::memcmp(image.currentImage, image.referenceImage, image.imageSize), 0);
    EXPECT_EQ(sink.dirty, (std::vector<Rect>{{0, 1, 6, 2}, {0, 2, 6, 3}}));
}

TEST_F(FrameUpdateTest, NegativeDisplacementsTakeFromBelowAndRight) {
    Start(16);
    ASSERT_TRUE(Apply(FrameUpdateBuilder().MovedRuns({{-2, -3, 1, 0, 1, 3}}).Build()));
    const uint32_t source = 3 * 32 + 3 * 2 + 1, destination = 1 * 2 + 1;
    for (uint32_t i = 0; i < 3; ++i)
        EXPECT_EQ(image.currentImage[destination + i], uint8_t(source + i));
    EXPECT_EQ(sink.dirty, (std::vector<Rect>{{1, 0, 1 + 4 / 2 + 2, 1}}));
}

TEST_F(FrameUpdateTest, AMoveWithASourceOutsideThePictureIsSkippedInBothPasses) {
    Start(8);
    ASSERT_TRUE(
        Apply(FrameUpdateBuilder().MovedRuns({{0, 1, 0, 0, 0, 4}, {0, -8, 0, 0, 0, 4}}).Build()));
    EXPECT_TRUE(Unchanged());
    EXPECT_TRUE(sink.dirty.empty());
}

TEST_F(FrameUpdateTest, RunsBeforeAnyImageAreSkippedWithoutUsingRunBytes) {
    ASSERT_TRUE(Apply(FrameUpdateBuilder()
                          .PixelRuns({{0, 0, 0, {7}}})
                          .ImageFormat(4, 4, 8)
                          .PixelRuns({{1, 0, 0, {8}}})
                          .Build()));
    EXPECT_EQ(image.currentImage[1], 7);  // the skipped run left its byte to this one
    EXPECT_EQ(sink.dirty, (std::vector<Rect>{{0, 0, 4, 4}, {1, 0, 4, 1}}));
}

TEST_F(FrameUpdateTest, ARunsCommandWithoutImageAndSizeBelowSixEndsTheUpdate) {
    ASSERT_TRUE(Apply(FrameUpdateBuilder().Command(5, vqd::kPixelRuns).Cursor(1, 2, 1, 1).Build()));
    EXPECT_EQ(sink.cursor, (Point{0, 0}));
}

TEST_F(FrameUpdateTest, UnknownCommandsAreSkippedBySize) {
    ASSERT_TRUE(
        Apply(FrameUpdateBuilder().Command(10, 9, {1, 2, 3, 4}).Cursor(1, 2, 0, 1).Build()));
    EXPECT_EQ(sink.cursor, (Point{1, 2}));
    EXPECT_EQ(sink.right, 1);
}

TEST_F(FrameUpdateTest, AnUnknownCommandBelowSixBytesEndsTheUpdate) {
    ASSERT_TRUE(
        Apply(FrameUpdateBuilder().Cursor(5, 5, 0, 0).Command(3, 9).Cursor(1, 2, 0, 1).Build()));
    EXPECT_EQ(sink.cursor, (Point{5, 5}));
}

TEST_F(FrameUpdateTest, ImageFormatTakes1070BytesWhateverItsSizeSays) {
    FrameUpdateBuilder b;
    b.Command(6, vqd::kImageFormat, BitmapInfo(4, 4, 32)).Cursor(3, 4, 0, 0);
    ASSERT_TRUE(Apply(b.Build()));
    EXPECT_EQ(image.width, 4u);
    EXPECT_EQ(sink.cursor, (Point{3, 4}));
}

TEST_F(FrameUpdateTest, EntriesAreReadWhileTheyStartInsideTheCommand) {
    Start(8);
    FrameUpdateBuilder b;
    b.Command(7, vqd::kPixelRuns, {0, 0, 0, 0, 0, 0, 1, 0}).DataBytes({42}).Cursor(9, 9, 0, 0);
    ASSERT_TRUE(Apply(b.Build()));
    EXPECT_EQ(image.currentImage[0], 42);
    EXPECT_EQ(sink.cursor, (Point{9, 9}));
}

TEST_F(FrameUpdateTest, AnEntryCutShortEndsTheUpdateAfterTheCompleteOnes) {
    Start(8);
    FrameUpdateBuilder b;
    Bytes body = {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 4, 0};  // row 0 moved down to row 1, 4 bytes
    body.resize(body.size() + 4);                       // a second entry cut short
    b.Cursor(5, 5, 0, 0).Command(6 + 24, vqd::kMovedRuns, body);
    ASSERT_TRUE(Apply(b.Build()));
    EXPECT_EQ(sink.cursor, (Point{5, 5}));
    EXPECT_EQ(image.currentImage[16], 0);
    EXPECT_EQ(image.referenceImage[19], 3);
    EXPECT_EQ(sink.dirty, (std::vector<Rect>{{0, 1, 6, 2}}));
}

TEST_F(FrameUpdateTest, CommandsMayReachPastTheCommandArea) {
    Bytes u = FrameUpdateBuilder().Cursor(7, 8, 1, 0).Build();
    vqd::WriteU32(u.data(), 5);  // the cursor command starts before 5 and ends after it
    ASSERT_TRUE(Apply(u));
    EXPECT_EQ(sink.cursor, (Point{7, 8}));
}

TEST_F(FrameUpdateTest, ACommandHeaderPastTheEndStopsQuietly) {
    Bytes u = FrameUpdateBuilder().Cursor(7, 8, 1, 0).Build();
    vqd::WriteU32(u.data(), 1000);
    u.push_back(1);  // part of a header
    ASSERT_TRUE(Apply(u));
    EXPECT_EQ(sink.cursor, (Point{7, 8}));
    FrameUpdateBuilder b;
    b.Command(vqd::kImageFormatCommandSize, vqd::kImageFormat, Bytes(100, 0));
    EXPECT_TRUE(Apply(b.Build()));  // a body that does not fit
    EXPECT_FALSE(image.HasPicture());
}

TEST_F(FrameUpdateTest, AnUpdateShorterThanFourBytesFails) {
    EXPECT_FALSE(Apply(Bytes{1, 0, 0}));
    EXPECT_FALSE(Apply(Bytes{}));
}

TEST_F(FrameUpdateTest, ImpossibleFormatsFailAndLeaveThePicture) {
    Start(16);
    for (const Bytes& info :
         {BitmapInfo(16, 8, 4), BitmapInfo(16385, 8, 8), BitmapInfo(16, -16385, 8),
          BitmapInfo(0, 8, 8), BitmapInfo(-4, 8, 8), BitmapInfo(16, 0, 8),
          BitmapInfo(16384, 16384, 32), BitmapInfo(16, INT32_MIN, 8)}) {
        EXPECT_FALSE(Apply(FrameUpdateBuilder().Cursor(1, 1, 1, 1).ImageFormat(info).Build()));
        EXPECT_EQ(sink.cursor, (Point{1, 1}));  // what came before stays
        EXPECT_EQ(image.width, 16u);
        EXPECT_TRUE(Unchanged());
    }
}

TEST_F(FrameUpdateTest, ASecondFormatReplacesThePicture) {
    Start(16);
    ASSERT_TRUE(Apply(FrameUpdateBuilder().ImageFormat(8, 4, 32).Build()));
    EXPECT_EQ(image.stride, 32u);
    EXPECT_EQ(image.BiHeight(), 4);
    for (uint32_t i = 0; i < image.imageSize; ++i)
        ASSERT_EQ(image.currentImage[i] | image.referenceImage[i], 0);
    EXPECT_EQ(sink.dirty, (std::vector<Rect>{{0, 0, 8, 4}}));
}

}  // namespace
