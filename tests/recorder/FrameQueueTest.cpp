// The queue between capture and encoding: frames come out in the order they
// were captured, the oldest waiting frame gives way when the encoder falls
// behind, and a slot is never handed to both sides at once.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "recorder/FrameQueue.h"

namespace {
FrameStamp At(uint32_t ms) {
    return FrameStamp{ms, {int32_t(ms), 0}, 0, 0};
}

std::vector<uint32_t> Drain(FrameQueue& queue) {
    std::vector<uint32_t> times;
    size_t slot;
    FrameStamp stamp;
    queue.Close();
    while (queue.NextFrame(slot, stamp)) {
        times.push_back(stamp.timeMs);
        queue.Release(slot);
    }
    return times;
}
}  // namespace

TEST(FrameQueue, AFrameBeingEncodedIsNeverTakenBack) {
    FrameQueue queue(3);
    queue.EndCapture(queue.BeginCapture(), At(1));
    size_t encoding;
    FrameStamp stamp;
    ASSERT_TRUE(queue.NextFrame(encoding, stamp));
    for (uint32_t t = 2; t <= 9; ++t) {
        const size_t slot = queue.BeginCapture();
        EXPECT_NE(slot, encoding) << t;
        queue.EndCapture(slot, At(t));
    }
    queue.Release(encoding);
    EXPECT_EQ(Drain(queue), (std::vector<uint32_t>{8, 9}));
    EXPECT_EQ(queue.Dropped(), 6u);
}

TEST(FrameQueue, AfterCloseWaitingFramesStillComeOutAndNewOnesAreNotKept) {
    FrameQueue queue(3);
    queue.EndCapture(queue.BeginCapture(), At(1));
    const size_t late = queue.BeginCapture();
    queue.Close();
    queue.EndCapture(late, At(2));
    EXPECT_EQ(Drain(queue), std::vector<uint32_t>{1});
    EXPECT_EQ(queue.Captured(), 1u);
}

// A fast capture thread and a slow encoder: every frame handed out carries
// the pixels of its own capture, untouched while it is encoded.
TEST(FrameQueue, CaptureAndEncodingOnTwoThreadsNeverShareASlot) {
    constexpr size_t kSlots = 4, kFrameBytes = 4096;
    constexpr uint32_t kFrames = 400;
    FrameQueue queue(kSlots);
    std::vector<std::vector<uint32_t>> pixels(kSlots, std::vector<uint32_t>(kFrameBytes / 4));
    std::thread capture([&] {
        for (uint32_t t = 1; t <= kFrames; ++t) {
            const size_t slot = queue.BeginCapture();
            std::fill(pixels[slot].begin(), pixels[slot].end(), t);
            queue.EndCapture(slot, At(t));
            if (t % 8 == 0)
                std::this_thread::yield();
        }
        queue.Close();
    });
    std::vector<uint32_t> seen;
    size_t slot;
    FrameStamp stamp;
    bool intact = true;
    while (queue.NextFrame(slot, stamp)) {
        if (seen.size() % 16 == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        for (uint32_t p : pixels[slot])
            intact = intact && p == stamp.timeMs;
        seen.push_back(stamp.timeMs);
        queue.Release(slot);
    }
    capture.join();
    EXPECT_TRUE(intact);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()) &&
                std::adjacent_find(seen.begin(), seen.end()) == seen.end());
    EXPECT_EQ(seen.size() + queue.Dropped(), kFrames);
    EXPECT_EQ(seen.back(), kFrames) << "the last frame is never dropped";
}
