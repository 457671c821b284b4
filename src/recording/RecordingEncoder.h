// Writes frames as a recording: each frame is encoded into a FrameUpdate and
// handed to the writing side of RecordingFile as its capture engine, with
// the record delays taken from the frames' timestamps. The file plays at any
// moment up to its last whole record: records are only appended, put on the
// disk every second of recorded time, and the header's duration is written
// by Finish.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "recording/CaptureEngine.h"
#include "recording/FrameEncoder.h"
#include "recording/RecordingFile.h"

namespace vqd {

struct RecordingInfo {
    uint32_t frameRate = 10;
    uint32_t secondaryRate = 50;
    std::string title, author, description;
};

class RecordingEncoder : private CaptureEngine {
  public:
    // Writes through files (the operating system's unless given).
    explicit RecordingEncoder(fs::Files& files = fs::SystemFiles());
    ~RecordingEncoder() override;

    // Creates (or truncates) the recording at path.
    bool Create(const char* path, const RecordingInfo& info);
    // Adds a frame shown from timestampMs (milliseconds from the start) on;
    // a frame that changes nothing writes no record. False when the frame
    // cannot be encoded or its record cannot be written (WriteFailed); the
    // file then ends with the record before.
    bool AddFrame(const EncoderFrame& frame, uint32_t timestampMs);
    bool WriteFailed() const { return writeFailed_; }
    // Writes the final header. When the last frames changed nothing, a record
    // that changes nothing carries their time, so that the delays add up to
    // the time of the last frame, which is also the duration.
    bool Finish();
    uint32_t RecordCount() const { return records_; }

  private:
    bool IsRecording() const override { return recording_; }
    uint32_t FrameRate() const override { return info_.frameRate; }
    uint32_t SecondRate() const override { return info_.secondaryRate; }
    uint32_t BitsPerPixel() const override { return bitsPerPixel_; }
    Rect CaptureArea() const override { return captureArea_; }
    void SetSampleRate(uint32_t) override {}
    void ClearBuffers() override { pending_.clear(); }
    bool CaptureFrameUpdate(std::vector<uint8_t>& frameUpdate) override;
    static uint32_t Timestamp(void* self);

    RecordingFile file_;
    FrameEncoder encoder_;
    RecordingInfo info_;
    bool recording_ = false;
    uint32_t now_ = 0;        // the time of the record being written
    uint32_t lastFrame_ = 0;  // the time of the last frame added
    uint32_t bitsPerPixel_ = 0;
    Rect captureArea_ = {};
    std::vector<uint8_t> pending_;
    uint32_t records_ = 0;
    bool writeFailed_ = false;
    uint32_t flushedAt_ = 0;  // timestamp of the last record put on the disk
};

}  // namespace vqd
