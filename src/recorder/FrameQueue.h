// The frames between the capture thread and the encoder thread: a fixed set
// of slots whose pixels the capture side fills and the encoder side reads.
// When encoding falls behind, the capture side takes back the oldest frame
// still waiting, which is then dropped: nothing queues without bound and
// nothing is allocated per frame.
#pragma once
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "recording/Geometry.h"

// The moment a frame was captured and the pointer at that moment.
struct FrameStamp {
    uint32_t timeMs;  // from the start of the recording
    Point cursor;     // in the frame's pixels
    uint8_t leftButton, rightButton;
};

class FrameQueue {
  public:
    // At least three slots: one being captured, one being encoded, one waiting.
    static constexpr size_t kFewestSlots = 3;
    explicit FrameQueue(size_t slots);

    // Capture side: the slot to fill next, a free one or else the oldest
    // waiting one, whose frame is dropped.
    size_t BeginCapture();
    // The slot is filled; it waits for the encoder.
    void EndCapture(size_t slot, const FrameStamp& stamp);

    // Encoder side: the oldest waiting frame, once there is one; false when the
    // queue is closed and none waits.
    bool NextFrame(size_t& slot, FrameStamp& stamp);
    // The encoder is done with the slot.
    void Release(size_t slot);

    // No frames are added from now on; the waiting ones are still handed out.
    void Close();

    uint32_t Captured() const;
    uint32_t Dropped() const;

  private:
    enum class State { Free, Capturing, Waiting, Encoding };
    struct Slot {
        State state = State::Free;
        uint64_t sequence = 0;  // order of capture
        FrameStamp stamp = {};
    };
    // The waiting slot captured first; slots_.size() when none waits.
    size_t OldestWaiting() const;

    mutable std::mutex mutex_;
    std::condition_variable frameWaiting_;
    std::vector<Slot> slots_;
    uint64_t nextSequence_ = 0;
    bool closed_ = false;
    uint32_t captured_ = 0;
    uint32_t dropped_ = 0;
};
