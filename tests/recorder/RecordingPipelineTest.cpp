// The encoding worker: what the capture side puts in the slots becomes a
// recording with the same pictures, pointer and buttons, and delays true to
// the capture times even when frames are dropped. A disk that fills up is
// met by the encoder (RecordingEncoderTest) and by the recording session,
// which reports it (RecorderE2ETest).
#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <string>
#include <vector>

#include "FillingFiles.h"
#include "FrameUpdateBuilder.h"
#include "TestFiles.h"
#include "recorder/RecordingPipeline.h"

namespace {

constexpr int kWidth = 24, kHeight = 10;

constexpr size_t kFrameBytes = kWidth * 2 * kHeight;

// Frame n: a square of colour n at column n on a grey ground.
void Paint(uint8_t* pixels, uint32_t n) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool square = x >= int(n % 20) && x < int(n % 20) + 4 && y >= 3 && y < 7;
            vqd::WriteU16(pixels + (y * kWidth + x) * 2, square ? uint16_t(0x1000 + n) : 0x8410);
        }
}

class Pipeline : public ::testing::Test {
  protected:
    // Captures frame n at time t into the next slot, as the capture thread does.
    void Capture(RecordingPipeline& pipeline, uint32_t n, uint32_t t) {
        FrameQueue& queue = pipeline.Queue();
        const size_t slot = queue.BeginCapture();
        Paint(slots[slot].data(), n);
        queue.EndCapture(slot, FrameStamp{t, {int32_t(n), 2}, uint8_t(n % 3 == 1), 0});
    }
    bool Start(RecordingPipeline& pipeline, const char* path) {
        std::vector<const uint8_t*> pixels;
        for (const Bytes& s : slots)
            pixels.push_back(s.data());
        return pipeline.Start(path, {10, 50, "Pipeline", "", ""},
                              {info.data(), {0, 0, kWidth, kHeight}}, pixels);
    }
    const Bytes info = BitmapInfo(kWidth, -kHeight, 16);
    std::vector<Bytes> slots = std::vector<Bytes>(RecordingPipeline::kSlots, Bytes(kFrameBytes));
};

}  // namespace

// A burst faster than the worker: frames are dropped, and each record's delay
// is the time from the frame before it that was kept; each record has the
// picture, pointer and buttons of its frame.
TEST_F(Pipeline, DroppedFramesLeaveTheDelaysTrueToTheCaptureTimes) {
    MemoryFiles files;
    RecordingPipeline pipeline(files);
    ASSERT_TRUE(Start(pipeline, "burst.vqd"));
    for (uint32_t n = 0; n < 300; ++n)
        Capture(pipeline, n, 1000 + n * 10);
    const RecordingSummary summary = pipeline.Finish();
    EXPECT_TRUE(summary.written);
    EXPECT_EQ(summary.captured, 300u);
    EXPECT_EQ(summary.records + summary.dropped, 300u);
    EXPECT_EQ(summary.durationMs, 1000u + 299 * 10) << "the last frame is kept";
    RecordingFile reader(files);
    ASSERT_TRUE(reader.Initialize());
    const PlayedRecording played = PlayThrough(reader, "burst.vqd");
    ASSERT_EQ(played.pictures.size(), summary.records);
    // Each picture is one of the frames; its pointer says which, and the
    // delays add up to that frame's time (the first: from the start).
    uint32_t time = 0;
    for (size_t i = 0; i < played.pictures.size(); ++i) {
        const uint32_t n = uint32_t(played.pointers[i][0]);
        time += played.delays[i];
        EXPECT_EQ(time, 1000 + n * 10) << i;
        EXPECT_EQ(played.pointers[i], (std::array<int32_t, 4>{int32_t(n), 2, n % 3 == 1, 0}));
        Bytes expected(kFrameBytes);
        Paint(expected.data(), n);
        EXPECT_EQ(played.pictures[i], expected) << i;
    }
}

TEST_F(Pipeline, AFileThatCannotBeMadeIsRefusedAtTheStart) {
    FillingFiles files;
    files.capacity = 100;  // not even the header fits
    RecordingPipeline pipeline(files);
    EXPECT_FALSE(Start(pipeline, "refused.vqd"));
    EXPECT_FALSE(pipeline.Finish().written);
}
