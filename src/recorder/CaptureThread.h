// The capture thread: paced by a periodic multimedia timer, it grabs a frame
// into the queue at every tick, stamped with the time of its capture, until
// it is told to stop, a stop event is set, the time limit is reached or the
// encoding worker has failed.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "recorder/RecordingPipeline.h"
#include "recorder/ScreenGrabber.h"

struct CaptureSettings {
    uint32_t framesPerSecond;
    uint32_t seconds;  // 0: no limit
    bool drawPointer;
    bool clicks;
};

class CaptureThread {
  public:
    CaptureThread() = default;
    ~CaptureThread();
    CaptureThread(const CaptureThread&) = delete;
    CaptureThread& operator=(const CaptureThread&) = delete;

    // Starts capturing at once; stopEvent (may be null) ends it from outside.
    bool Start(ScreenGrabber& grabber, RecordingPipeline& pipeline, const CaptureSettings& settings,
               HANDLE stopEvent);
    // Signalled when the thread has ended by itself or on request.
    HANDLE Ended() const { return thread_; }
    // Ends the thread and waits for it.
    void Stop();

  private:
    static DWORD WINAPI Run(void* self);
    void Capture();
    bool WaitForTick();

    ScreenGrabber* grabber_ = nullptr;
    RecordingPipeline* pipeline_ = nullptr;
    CaptureSettings settings_ = {};
    HANDLE tick_ = nullptr;  // set by the timer
    HANDLE quit_ = nullptr;  // set by Stop
    HANDLE outside_ = nullptr;
    HANDLE thread_ = nullptr;
    UINT timer_ = 0;
    UINT resolution_ = 1;
    bool periodBegun_ = false;
};
