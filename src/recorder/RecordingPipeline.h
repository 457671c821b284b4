// The encoding half of a recording: a worker thread that takes captured
// frames from the queue and writes them with the recording encoder, until the
// capture side is done or the file cannot be written. Platform-free; the
// capture side fills the slots' pixels.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "recorder/FrameQueue.h"
#include "recording/RecordingEncoder.h"

// What every frame of a recording shares.
struct FrameFormat {
    const uint8_t* bitmapInfo;  // kBitmapInfoSize bytes
    Rect area;                  // the recorded part of each frame
};

// How a recording ended.
struct RecordingSummary {
    bool written = false;      // a playable recording with at least one record
    bool writeFailed = false;  // a record could not be written (a full disk)
    uint32_t records = 0;      // records in the file
    uint32_t captured = 0;     // frames captured
    uint32_t dropped = 0;      // captured frames never encoded
    uint32_t durationMs = 0;   // the time of the last frame kept
};

class RecordingPipeline {
  public:
    // Frames in flight: one captured, one encoded, two waiting.
    static constexpr size_t kSlots = 4;

    // Writes through files (the operating system's unless given).
    explicit RecordingPipeline(fs::Files& files = fs::SystemFiles());
    ~RecordingPipeline();
    RecordingPipeline(const RecordingPipeline&) = delete;
    RecordingPipeline& operator=(const RecordingPipeline&) = delete;

    // Creates the recording and starts the worker. slotPixels are the pixels
    // of the queue's kSlots slots, each a whole frame of the format; they must
    // outlive Finish. False when the file cannot be created.
    bool Start(const char* path, const vqd::RecordingInfo& info, const FrameFormat& format,
               const std::vector<const uint8_t*>& slotPixels);
    FrameQueue& Queue() { return queue_; }
    // The worker has stopped on a write failure; later frames are not kept.
    bool Failed() const { return failed_; }
    // Frames the worker has written or let go so far.
    uint32_t FramesDone() const { return framesDone_; }
    // No more frames: the waiting ones are written, then the final header.
    RecordingSummary Finish();

  private:
    void Encode();

    vqd::RecordingEncoder encoder_;
    FrameQueue queue_;
    FrameFormat format_ = {};
    std::vector<const uint8_t*> slotPixels_;
    std::thread worker_;
    std::atomic<bool> failed_{false};
    std::atomic<uint32_t> framesDone_{0};
    uint32_t lastTimeMs_ = 0;  // of the last frame written; the worker's until joined
};
