#include "recorder/CaptureThread.h"

#include <mmsystem.h>

CaptureThread::~CaptureThread() {
    Stop();
}

bool CaptureThread::Start(ScreenGrabber& grabber, RecordingPipeline& pipeline,
                          const CaptureSettings& settings, HANDLE stopEvent) {
    grabber_ = &grabber;
    pipeline_ = &pipeline;
    settings_ = settings;
    outside_ = stopEvent;
    tick_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    quit_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!tick_ || !quit_)
        return false;
    TIMECAPS caps = {};
    if (timeGetDevCaps(&caps, sizeof caps) == TIMERR_NOERROR)
        resolution_ = caps.wPeriodMin;
    periodBegun_ = timeBeginPeriod(resolution_) == TIMERR_NOERROR;
    timer_ = timeSetEvent(1000 / settings.framesPerSecond, resolution_,
                          reinterpret_cast<LPTIMECALLBACK>(tick_), 0,
                          TIME_PERIODIC | TIME_CALLBACK_EVENT_SET);
    thread_ = timer_ ? CreateThread(nullptr, 0, Run, this, 0, nullptr) : nullptr;
    return thread_ != nullptr;
}

DWORD WINAPI CaptureThread::Run(void* self) {
    static_cast<CaptureThread*>(self)->Capture();
    return 0;
}

void CaptureThread::Capture() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL);
    // Without its hook the latch notes nothing, and held buttons still show.
    ButtonLatch latch;
    ButtonLatch* clicks = settings_.clicks ? &latch : nullptr;
    if (clicks)
        latch.Install();
    const DWORD start = timeGetTime();
    const DWORD limit = settings_.seconds * 1000;
    for (bool last = false; !last && !pipeline_->Failed();) {
        const DWORD elapsed = timeGetTime() - start;
        last = limit && elapsed >= limit;
        FrameQueue& queue = pipeline_->Queue();
        const size_t slot = queue.BeginCapture();
        FrameStamp stamp = grabber_->Grab(slot, settings_.drawPointer, clicks);
        stamp.timeMs = elapsed;
        queue.EndCapture(slot, stamp);
        if (!last && !WaitForTick())
            break;
    }
}

// Dispatches messages (the latch's hook runs in them) until the next tick;
// false when the capture is to end.
bool CaptureThread::WaitForTick() {
    const HANDLE waits[3] = {quit_, tick_, outside_};
    const DWORD count = outside_ ? 3 : 2;
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjects(count, waits, FALSE, INFINITE, QS_ALLINPUT);
        if (woken != WAIT_OBJECT_0 + count)
            return woken == WAIT_OBJECT_0 + 1;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
}

void CaptureThread::Stop() {
    if (thread_) {
        SetEvent(quit_);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    if (timer_)
        timeKillEvent(timer_);
    timer_ = 0;
    if (periodBegun_)
        timeEndPeriod(resolution_);
    periodBegun_ = false;
    for (HANDLE* h : {&tick_, &quit_})
        if (*h) {
            CloseHandle(*h);
            *h = nullptr;
        }
}
