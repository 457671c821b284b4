// Plays a recording, plain or appended to an executable, one record per
// step, each as if it were due at once. Used by the commands that look at
// the decoded pictures.
#pragma once
#include <cstdint>

#include "recording/ExeRecordingFile.h"

class RecordPlayer {
  public:
    struct Step {
        uint32_t offset;  // file offset of the record header
        uint32_t delay;
        uint32_t length;
        bool applied;  // what PlayStep returned
    };
    RecordPlayer();
    ~RecordPlayer();
    bool Open(const char* path, bool embedded);
    // Plays the next record; false when the stream stops before it.
    bool Next(Step& step);
    // Why the stream stopped: "end", "truncated" or "zero-length".
    const char* StopReason() const { return stopReason_; }
    const RecordingFile& Recording() const { return *recording_; }

  private:
    static uint32_t FixedClock(void*) { return 0; }
    RecordingFile plain_;
    ExeRecordingFile executable_;
    RecordingFile* recording_ = &plain_;
    const char* stopReason_ = "end";
};
