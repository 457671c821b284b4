#include "recorder/FrameQueue.h"

#include <algorithm>

FrameQueue::FrameQueue(size_t slots) : slots_(std::max(slots, kFewestSlots)) {}

size_t FrameQueue::OldestWaiting() const {
    size_t oldest = slots_.size();
    for (size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i].state == State::Waiting &&
            (oldest == slots_.size() || slots_[i].sequence < slots_[oldest].sequence))
            oldest = i;
    return oldest;
}

size_t FrameQueue::BeginCapture() {
    std::lock_guard<std::mutex> lock(mutex_);
    for (size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i].state == State::Free) {
            slots_[i].state = State::Capturing;
            return i;
        }
    }
    // One slot at most is being encoded and one captured: another one waits.
    const size_t taken = OldestWaiting();
    slots_[taken].state = State::Capturing;
    ++dropped_;
    return taken;
}

void FrameQueue::EndCapture(size_t slot, const FrameStamp& stamp) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        Slot& s = slots_[slot];
        if (closed_) {
            s.state = State::Free;
            return;
        }
        s.state = State::Waiting;
        s.sequence = nextSequence_++;
        s.stamp = stamp;
        ++captured_;
    }
    frameWaiting_.notify_one();
}

bool FrameQueue::NextFrame(size_t& slot, FrameStamp& stamp) {
    std::unique_lock<std::mutex> lock(mutex_);
    frameWaiting_.wait(lock, [&] { return closed_ || OldestWaiting() != slots_.size(); });
    slot = OldestWaiting();
    if (slot == slots_.size())
        return false;
    slots_[slot].state = State::Encoding;
    stamp = slots_[slot].stamp;
    return true;
}

void FrameQueue::Release(size_t slot) {
    std::lock_guard<std::mutex> lock(mutex_);
    slots_[slot].state = State::Free;
}

void FrameQueue::Close() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
    }
    frameWaiting_.notify_all();
}

uint32_t FrameQueue::Captured() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return captured_;
}

uint32_t FrameQueue::Dropped() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return dropped_;
}
