// One recording from start to end: the region checked against the screen,
// the file claimed against other recorders, the screen grabbed on the capture
// thread and encoded on the worker, and what to tell the user at the end.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "recorder/CaptureThread.h"
#include "recorder/RecordingPipeline.h"
#include "recorder/ScreenGrabber.h"

struct SessionSettings {
    std::string file;
    RECT region;  // screen coordinates
    uint32_t bitsPerPixel;
    CaptureSettings capture;
    vqd::RecordingInfo info;
};

class RecordingSession {
  public:
    // Writes through files (the operating system's unless given).
    explicit RecordingSession(fs::Files& files = fs::SystemFiles());
    ~RecordingSession();
    RecordingSession(const RecordingSession&) = delete;
    RecordingSession& operator=(const RecordingSession&) = delete;

    // Starts recording; on refusal, problem says why in one sentence.
    bool Start(const SessionSettings& settings, std::string& problem);
    // Signalled once capturing has ended by itself: the time limit, a stop
    // asked for from another process, or a write failure.
    HANDLE Ended() const { return capture_.Ended(); }
    // Ends the recording and writes the final header.
    RecordingSummary Stop();
    // What the user is told about a finished recording.
    std::string Report(const RecordingSummary& summary) const;

  private:
    fs::Files& files_;
    std::string file_;
    HANDLE claim_ = nullptr;      // held while this process records the file
    HANDLE stopAsked_ = nullptr;  // set by "/stop" of another process
    ScreenGrabber grabber_;
    std::unique_ptr<RecordingPipeline> pipeline_;
    CaptureThread capture_;
};

// The screen of all monitors together.
RECT VirtualScreen();

inline Rect ToRect(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}

// Asks the process recording file to stop and waits until its file is
// complete; false with a problem when no recording of file runs or it does
// not end in time.
bool StopRecordingOf(const std::string& file, std::string& problem);
