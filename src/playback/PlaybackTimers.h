// Two periodic multimedia timers that post WM_TIMER to the saver window. The
// callback does nothing but post, and posts nothing while a tick is handled.
#pragma once
#include <windows.h>

#include <cstdint>

bool StartTimers(HWND window, uint32_t firstRate, uint32_t secondRate);
void StopTimers();
void SetTickSuspended(int suspended);
void CALLBACK TimerCallback(UINT timerId, UINT message, DWORD_PTR user, DWORD_PTR reserved1,
                            DWORD_PTR reserved2);

// The period of a timer firing rate times a second (0: no timer).
uint32_t TimerPeriod(uint32_t rate);
// The resolution asked for, kept within what the timer device offers.
uint32_t ClampTimerResolution(uint32_t wanted, uint32_t minimum, uint32_t maximum);
