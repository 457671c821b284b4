#include "playback/PlaybackTimers.h"

#include <mmsystem.h>

#include <algorithm>

namespace {

struct TimerState {
    HWND window = nullptr;
    UINT firstId = 0;
    UINT secondId = 0;
    volatile LONG tickSuspended = 0;
    uint32_t timerResolution = 10;
    bool periodBegun = false;
};
TimerState timers;

UINT StartTimer(uint32_t rate) {
    const uint32_t period = TimerPeriod(rate);
    if (period == 0)
        return 0;
    return timeSetEvent(period, timers.timerResolution, TimerCallback, 0, TIME_PERIODIC);
}

}  // namespace

uint32_t TimerPeriod(uint32_t rate) {
    return rate == 0 ? 0 : uint32_t(1000.0 / double(rate));
}

uint32_t ClampTimerResolution(uint32_t wanted, uint32_t minimum, uint32_t maximum) {
    if (std::max(minimum, wanted) >= maximum)
        return maximum;
    return wanted < minimum ? minimum : wanted;
}

bool StartTimers(HWND window, uint32_t firstRate, uint32_t secondRate) {
    timers.window = window;
    TIMECAPS caps;
    if (timeGetDevCaps(&caps, sizeof caps) != TIMERR_NOERROR)
        return false;
    timers.timerResolution =
        ClampTimerResolution(timers.timerResolution, caps.wPeriodMin, caps.wPeriodMax);
    timers.periodBegun = timeBeginPeriod(timers.timerResolution) == TIMERR_NOERROR;
    timers.tickSuspended = 0;
    timers.firstId = StartTimer(firstRate);
    timers.secondId = StartTimer(secondRate);
    return true;
}

// The resolution period is ended even when neither timer could be started,
// so that a failed start does not leave the system's timer resolution raised.
void StopTimers() {
    if (timers.secondId)
        timeKillEvent(timers.secondId);
    timers.secondId = 0;
    if (timers.firstId)
        timeKillEvent(timers.firstId);
    timers.firstId = 0;
    timers.tickSuspended = 0;
    if (timers.periodBegun)
        timeEndPeriod(timers.timerResolution);
    timers.periodBegun = false;
    timers.window = nullptr;
}

void SetTickSuspended(int suspended) {
    timers.tickSuspended = suspended;
}

void CALLBACK TimerCallback(UINT timerId, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    const HWND window = timers.window;
    if (window && timers.tickSuspended == 0)
        PostMessageA(window, WM_TIMER, timerId, 0);
}
