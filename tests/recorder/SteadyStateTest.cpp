// Recording allocates nothing per frame once the buffers have grown to the
// size the frames need: every operator new of the process is counted while
// frames go through the queue and the encoding worker.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <thread>
#include <vector>

#include "FrameUpdateBuilder.h"
#include "TestFiles.h"
#include "recorder/RecordingPipeline.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<uint32_t> allocations{0};
}  // namespace

void* operator new(size_t size) {
    if (counting)
        ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}

namespace {
constexpr int kWidth = 64, kHeight = 48;

// A 32-bit picture with a square that moves along a loop of 16 places.
void Paint(uint8_t* pixels, uint32_t n) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int left = int(n % 16) * 3;
            const bool square = x >= left && x < left + 8 && y >= 10 && y < 18;
            vqd::WriteU32(pixels + (y * kWidth + x) * 4, square ? 0xFF0000u : 0x404040u + n % 3);
        }
}
}  // namespace

TEST(SteadyState, FramesGoThroughTheQueueAndTheEncoderWithoutAllocating) {
    const Bytes info = BitmapInfo(kWidth, -kHeight, 32);
    std::vector<Bytes> slots(RecordingPipeline::kSlots, Bytes(kWidth * kHeight * 4));
    std::vector<const uint8_t*> pixels;
    for (const Bytes& s : slots)
        pixels.push_back(s.data());
    RecordingPipeline pipeline;  // the disk's files: writing allocates nothing here
    const std::string path = TempPath("steady.vqd");
    ASSERT_TRUE(pipeline.Start(path.c_str(), {}, {info.data(), {0, 0, kWidth, kHeight}}, pixels));
    auto capture = [&](uint32_t n) {
        FrameQueue& queue = pipeline.Queue();
        const size_t slot = queue.BeginCapture();
        Paint(slots[slot].data(), n);
        queue.EndCapture(slot, FrameStamp{n * 100, {int32_t(n % 7), 3}, uint8_t(n % 2), 0});
        while (pipeline.FramesDone() < n + 1)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    // Two rounds of the loop let every buffer grow to its size.
    for (uint32_t n = 0; n < 96; ++n)
        capture(n);
    counting = true;
    for (uint32_t n = 96; n < 192; ++n)
        capture(n);
    counting = false;
    EXPECT_EQ(allocations.load(), 0u);
    EXPECT_EQ(pipeline.Finish().records, 192u);
}
