// Playing records: inflating, applying, and the changed area reported.
#include <gtest/gtest.h>

#include <zlib.h>

#include "FrameUpdateBuilder.h"
#include "ReaderTest.h"
#include "recording/ContainerFormat.h"

namespace {

class PlayStepTest : public ReaderTest {
  protected:
    // Opens the records and starts quick play: one record per step.
    void Play(const std::vector<TestRecord>& records) {
        const std::string path = TempPath("play.vqd");
        WriteFile(path, MakeRecording(records));
        ASSERT_TRUE(r.Open(path.c_str(), LockedFile::kRead));
        r.SetQuickPlay(1);
        r.Restart();
    }
    void Play(const std::vector<Bytes>& frameUpdates) {
        std::vector<TestRecord> records;
        for (const Bytes& u : frameUpdates)
            records.push_back(TestRecord{100, Deflate(u)});
        Play(records);
    }
    const std::vector<Rect>& Dirty() const { return r.GetDirtyRects(); }
};

std::vector<FrameUpdateBuilder::Run> RowsOfRuns(uint16_t x, uint16_t top, uint16_t bottom,
                                                uint16_t bytes) {
    std::vector<FrameUpdateBuilder::Run> runs;
    for (uint16_t y = top; y < bottom; ++y)
        runs.push_back({x, y, 0, Bytes(bytes, uint8_t(y))});
    return runs;
}

TEST_F(PlayStepTest, AKeyUpdateReportsExactlyTheCaptureRectangle) {
    Play({FrameUpdateBuilder()
              .ImageFormat(1024, -768, 16)
              .CaptureRect(141, 106, 941, 706)
              .PixelRuns(RowsOfRuns(141, 106, 706, 1600))
              .Build()});
    ASSERT_TRUE(r.PlayStep());
    EXPECT_EQ(Dirty(), (std::vector<Rect>{{141, 106, 941, 706}}));
    EXPECT_EQ(r.GetCaptureRect(), (Rect{141, 106, 941, 706}));
    const FrameImage& image = r.GetFrameImage();
    EXPECT_EQ(image.currentImage[300 * 2048 + 141 * 2], 300 % 256);
}

TEST_F(PlayStepTest, ACursorOnlyUpdateChangesNothingVisible) {
    const Bytes cursorOnly = FrameUpdateBuilder().Cursor(320, 240, 1, 1).Build();
    ASSERT_EQ(cursorOnly.size(), 16u);
    Play({cursorOnly});
    ASSERT_TRUE(r.PlayStep());
    EXPECT_TRUE(Dirty().empty());
    EXPECT_EQ(r.GetCursorPosition(), (Point{320, 240}));
    EXPECT_EQ(r.GetLeftButtonDown(), 1);
    EXPECT_EQ(r.GetRightButtonDown(), 1);
}

TEST_F(PlayStepTest, NothingIsReportedBeforeTheFirstCaptureRect) {
    Play({FrameUpdateBuilder().ImageFormat(64, 64, 32).PixelRuns({{0, 0, 0, Bytes(4, 1)}}).Build(),
          FrameUpdateBuilder()
              .CaptureRect(0, 0, 64, 64)
              .PixelRuns({{0, 0, 0, Bytes(4, 1)}})
              .Build()});
    ASSERT_TRUE(r.PlayStep());
    EXPECT_TRUE(Dirty().empty());
    ASSERT_TRUE(r.PlayStep());
    EXPECT_EQ(Dirty(), (std::vector<Rect>{{0, 0, 3, 1}}));
}

TEST_F(PlayStepTest, OneRowRunsAreMergedIntoBands) {
    Play({FrameUpdateBuilder().ImageFormat(64, 64, 8).CaptureRect(0, 0, 64, 64).Build(),
          FrameUpdateBuilder()
              .PixelRuns(RowsOfRuns(10, 5, 15, 8))
              .PixelRuns({{30, 5, 0, Bytes(2, 1)}, {20, 5, 0, Bytes(1, 1)}})
              .Build()});
    ASSERT_TRUE(r.PlayStep());
    EXPECT_EQ(Dirty(), (std::vector<Rect>{{0, 0, 64, 64}}));
    ASSERT_TRUE(r.PlayStep());
    EXPECT_EQ(Dirty(), (std::vector<Rect>{{10, 5, 23, 6}, {30, 5, 34, 6}, {10, 6, 20, 15}}));
}

TEST_F(PlayStepTest, ASecondFormatIsReportedAsTheCaptureRectangle) {
    Play({FrameUpdateBuilder().ImageFormat(64, 64, 8).CaptureRect(8, 8, 40, 40).Build(),
          FrameUpdateBuilder().ImageFormat(32, -48, 24).Build()});
    ASSERT_TRUE(r.PlayStep());
    ASSERT_TRUE(r.PlayStep());
    EXPECT_EQ(Dirty(), (std::vector<Rect>{{8, 8, 32, 40}}));
    EXPECT_EQ(r.GetFrameImage().stride, 96u);
}

TEST_F(PlayStepTest, AFailedUpdateReportsNothingButKeepsWhatItApplied) {
    Play({FrameUpdateBuilder().ImageFormat(16, 16, 8).CaptureRect(0, 0, 16, 16).Build(),
          FrameUpdateBuilder().PixelRuns({{0, 0, 0, {9}}}).ImageFormat(16, 16, 1).Build()});
    ASSERT_TRUE(r.PlayStep());
    EXPECT_FALSE(r.PlayStep());
    EXPECT_TRUE(Dirty().empty());
    EXPECT_EQ(r.GetFrameImage().currentImage[0], 9);
    EXPECT_EQ(r.GetFrameImage().width, 16u);
}

TEST_F(PlayStepTest, ARecordThatDoesNotInflateIsConsumed) {
    const Bytes cursor = Deflate(FrameUpdateBuilder().Cursor(1, 2, 0, 0).Build());
    Bytes truncated = cursor;
    truncated.resize(truncated.size() - 5);
    Bytes trailing = cursor;
    trailing.insert(trailing.end(), {1, 2, 3});
    Play({TestRecord{0, Payload(40, 3)}, TestRecord{0, truncated}, TestRecord{0, trailing}});
    EXPECT_FALSE(r.PlayStep());  // not a zlib stream
    EXPECT_FALSE(r.PlayStep());  // the stream ends early
    EXPECT_TRUE(r.PlayStep());   // bytes after the stream's end do not matter
    EXPECT_EQ(r.GetCursorPosition(), (Point{1, 2}));
    EXPECT_FALSE(r.PlayStep());  // the end of the stream
}

TEST_F(PlayStepTest, ARecordNotYetDueReportsNothing) {
    Play({FrameUpdateBuilder().ImageFormat(8, 8, 8).CaptureRect(0, 0, 8, 8).Build(),
          FrameUpdateBuilder().PixelRuns({{0, 0, 0, {1}}}).Build()});
    r.SetQuickPlay(0);
    ASSERT_TRUE(r.PlayStep());  // the first record is due at once
    EXPECT_FALSE(r.PlayStep());
    EXPECT_TRUE(Dirty().empty());
    clock.now += 100;
    EXPECT_TRUE(r.PlayStep());
    EXPECT_EQ(Dirty().size(), 1u);
}

TEST_F(PlayStepTest, ThePresenterIsToldOfEveryCaptureRect) {
    static int released;
    released = 0;
    r.SetFrameSurfaceReleaser([](RecordingFile&) { ++released; });
    Play({FrameUpdateBuilder().CaptureRect(0, 0, 8, 8).CaptureRect(0, 0, 4, 4).Build()});
    ASSERT_TRUE(r.PlayStep());
    EXPECT_EQ(released, 2);
}

TEST_F(PlayStepTest, TheInflatedBufferGrowsIn256KiBSteps) {
    Play({FrameUpdateBuilder()
              .ImageFormat(1024, -768, 16)
              .PixelRuns(RowsOfRuns(0, 0, 600, 3200))
              .Build(),
          FrameUpdateBuilder().Cursor(0, 0, 0, 0).Build()});
    ASSERT_TRUE(r.PlayStep());
    EXPECT_GT(r.GetInflated().used, 1900000u);
    EXPECT_EQ(r.GetInflated().capacity, 8u * RecordingFile::kInflateStep);
    ASSERT_TRUE(r.PlayStep());
    EXPECT_EQ(r.GetInflated().capacity, 8u * RecordingFile::kInflateStep);
}

TEST_F(PlayStepTest, AnUpdateInflatingPastTheLimitFailsAndChangesNothing) {
    const Bytes huge(RecordingFile::kLargestFrameUpdate + 1, 0);
    Play({FrameUpdateBuilder()
              .ImageFormat(8, 8, 8)
              .CaptureRect(0, 0, 8, 8)
              .PixelRuns({{0, 0, 0, {5}}})
              .Build(),
          huge, FrameUpdateBuilder().Cursor(3, 3, 0, 0).Build()});
    ASSERT_TRUE(r.PlayStep());
    EXPECT_FALSE(r.PlayStep());
    EXPECT_TRUE(Dirty().empty());
    EXPECT_LE(r.GetInflated().capacity, RecordingFile::kLargestFrameUpdate);
    EXPECT_EQ(r.GetFrameImage().currentImage[0], 5);
    EXPECT_TRUE(r.PlayStep());  // the next record plays
    EXPECT_EQ(r.GetCursorPosition(), (Point{3, 3}));
}

TEST_F(PlayStepTest, OpeningAgainForgetsThePicture) {
    Play({FrameUpdateBuilder().ImageFormat(8, 8, 8).CaptureRect(0, 0, 8, 8).Build()});
    ASSERT_TRUE(r.PlayStep());
    Play({FrameUpdateBuilder().Cursor(1, 1, 0, 0).Build()});
    EXPECT_FALSE(r.GetFrameImage().HasPicture());
    EXPECT_EQ(r.GetCaptureRect(), (Rect{0, 0, 0, 0}));
}

}  // namespace
