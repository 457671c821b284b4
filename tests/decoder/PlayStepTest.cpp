// Playing records: what a step reports when a record fails, is not due, or
// comes before the capture rectangle, and how the buffers grow. Records made
// by the encoder are played by the round trip (EncoderTest).
#include <gtest/gtest.h>

#include "FrameUpdateBuilder.h"
#include "ReaderTest.h"

namespace {

class PlayStepTest : public ReaderTest {
  protected:
    const std::vector<Rect>& Dirty() const { return r.GetDirtyRects(); }
};

TEST_F(PlayStepTest, AFailedRecordListsNothingKeepsWhatItAppliedAndIsConsumed) {
    const Bytes cursor = Deflate(FrameUpdateBuilder().Cursor(1, 2, 0, 0).Build());
    Bytes cut = cursor, trailing = cursor;
    cut.resize(cut.size() - 5);
    trailing.insert(trailing.end(), {1, 2, 3});
    const Bytes format =
        FrameUpdateBuilder().ImageFormat(16, 16, 8).CaptureRect(0, 0, 16, 16).Build();
    const Bytes refused =
        FrameUpdateBuilder().PixelRuns({{0, 0, 0, {9}}}).ImageFormat(16, 16, 1).Build();
    Play(MakeRecording({{0, Deflate(format)},
                        {0, Deflate(refused)},
                        {0, Payload(40, 3)},
                        {0, Deflate({})},
                        {0, cut},
                        {0, trailing}}));
    ASSERT_TRUE(r.PlayStep());
    EXPECT_FALSE(r.PlayStep());  // a refused format
    EXPECT_TRUE(Dirty().empty());
    EXPECT_EQ(r.GetFrameImage().currentImage[0], 9);
    EXPECT_EQ(r.GetFrameImage().width, 16u);
    EXPECT_FALSE(r.PlayStep());  // not a zlib stream
    EXPECT_FALSE(r.PlayStep());  // an empty one
    EXPECT_FALSE(r.PlayStep());  // the stream ends early
    EXPECT_TRUE(r.PlayStep());   // bytes after the stream's end do not matter
    EXPECT_EQ(r.GetCursorPosition(), (Point{1, 2}));
    EXPECT_FALSE(r.PlayStep());  // the end of the stream
}

// 256 KiB steps up to 16 MiB, then doubling up to the limit; an update beyond
// it fails without using more, and the next record plays.
TEST_F(PlayStepTest, TheInflatedBufferGrowsInStepsThenDoublesUpToTheLimit) {
    Play(RecordingOf({Bytes(1900000, 0), Bytes(17u << 20, 0),
                      Bytes(RecordingFile::kLargestFrameUpdate - 1, 0),
                      Bytes(RecordingFile::kLargestFrameUpdate + 1, 0),
                      FrameUpdateBuilder().Cursor(3, 3, 0, 0).Build()}));
    ASSERT_TRUE(r.PlayStep());
    EXPECT_EQ(r.GetInflated().capacity, 8u * RecordingFile::kInflateStep);
    ASSERT_TRUE(r.PlayStep());
    EXPECT_EQ(r.GetInflated().capacity, 2 * RecordingFile::kStepwiseInflateLimit);
    ASSERT_TRUE(r.PlayStep());
    EXPECT_EQ(r.GetInflated().capacity, RecordingFile::kLargestFrameUpdate);
    EXPECT_FALSE(r.PlayStep());
    EXPECT_LE(r.GetInflated().capacity, RecordingFile::kLargestFrameUpdate);
    EXPECT_TRUE(r.PlayStep());
    EXPECT_EQ(r.GetCursorPosition(), (Point{3, 3}));
}

}  // namespace
