#include "saver/SaverWnd.h"

#include "classlib/MessageBox.h"
#include "playback/ClickMarks.h"
#include "playback/DisplayObjects.h"
#include "playback/FramePresenter.h"
#include "playback/PlaybackTimers.h"
#include "playback/ScreenMonitors.h"
#include "resources/ResourceIds.h"
#include "saver/SaverConfigDlg.h"
#include "saver/SaverFramework.h"
#include "saver/ScreenSaverApp.h"
#include "upgrade/FormatString.h"

namespace {

// Posted after the first paint: the rest of what playing needs.
const UINT WM_START_PRESENTING = WM_APP + 1;

SaverConfigDlg* Config() {
    CScreenSaverApp* app = CScreenSaverApp::Current();
    return app ? static_cast<SaverConfigDlg*>(app->GetConfigDialog()) : nullptr;
}

}  // namespace

void SaverWnd::OnSaverCreated() {
    StartPlayback();
}

void SaverWnd::StartPlayback() {
    StopPlayback();
    if (!OpenPlayback())
        StopPlayback();
}

// Opens the recordings and decodes their first records, so that the window's
// first paint shows them (through GDI). DirectDraw, the click marks and the
// timers wait until that picture is on the screen (StartPresenting), and so
// do the recordings' clocks: each first picture shows for its whole delay.
BOOL SaverWnd::OpenPlayback() {
    SaverConfigDlg* config = Config();
    if (!config)
        return FALSE;
    const bool everyMonitor = config->playOnEveryMonitor && !saverState.previewMode;
    screens.Open(*config, everyMonitor ? EnumerateMonitors().count : 1);
    pendingStart = PendingStart::kAfterFirstPaint;
    return TRUE;
}

void SaverWnd::StartPresenting() {
    if (pendingStart != PendingStart::kPosted || screens.Count() == 0)
        return;
    pendingStart = PendingStart::kNone;
    timerRates[0] = screens.FrameRate();
    timerRates[1] = screens.SecondaryRate();
    if (!InitDisplay(GetSafeHwnd()) || !LoadClickMarks(IDB_CLICK_MARKS) ||
        !StartTimers(GetSafeHwnd(), timerRates[0], timerRates[1])) {
        StopPlayback();
        return;
    }
    if (!saverState.previewMode)
        displayNotification = RegisterDisplayPowerNotification(GetSafeHwnd());
    screens.Resume();
    InvalidateRect(GetSafeHwnd(), nullptr, FALSE);  // the whole picture, now through DirectDraw
}

// The pictures' surfaces belong to the display objects and go before them.
void SaverWnd::StopPlayback() {
    pendingStart = PendingStart::kNone;
    UnregisterDisplayPowerNotification(displayNotification);
    displayOff = false;
    StopTimers();
    ReleaseClickMarks();
    ReleasePictures();
    ReleaseDisplay();
    screens.Close();
}

// A folder's next recording may ask for faster timers than the ones running.
void SaverWnd::RestartTimersForRates() {
    const uint32_t rates[2] = {screens.FrameRate(), screens.SecondaryRate()};
    if (rates[0] == timerRates[0] && rates[1] == timerRates[1])
        return;
    timerRates[0] = rates[0];
    timerRates[1] = rates[1];
    StopTimers();
    StartTimers(GetSafeHwnd(), rates[0], rates[1]);
}

bool SaverWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_DESTROY:
            result = Default();
            StopPlayback();
            return true;
        case WM_TIMER:
            OnTimer();
            result = 0;
            return true;
        case WM_START_PRESENTING:
            StartPresenting();
            result = 0;
            return true;
        case WM_POWERBROADCAST:
        case WM_SYSCOMMAND:
            OnDisplayPower(DisplayPowerOf(message, wParam, lParam));
            break;
    }
    return CScreenSaverWnd::OnMessage(message, wParam, lParam, result);
}

// Both timers alike: at most one record per screen and tick, and what it
// changed is painted at once; a screen whose folder goes on with the next
// recording is painted whole. No timer message is posted while a tick runs.
void SaverWnd::OnTimer() {
    SetTickSuspended(1);
    HDC dc = nullptr;  // taken for the first paint of the tick
    for (int i = 0; i < screens.Count() && !displayOff; ++i) {
        RecordingFile& recording = *screens.At(i).recording;
        recording.PlayStep();
        const bool next = screens.Advance(i);
        if (!next && recording.GetDirtyRects().empty())
            continue;
        if (!dc)
            dc = GetDC(GetSafeHwnd());
        if (next)
            RestartTimersForRates();
        PaintScreen(i, dc, next ? PaintScope::kWhole : PaintScope::kChanges);
        if (next && !screens.AnyOpen())
            Paint(dc, PaintScope::kWhole);
    }
    if (dc)
        ReleaseDC(GetSafeHwnd(), dc);
    Default();
    SetTickSuspended(0);
}

// Nothing plays while the display is off: the timers stop, which also ends
// their raised timer resolution, and the recording's clock pauses, so that
// picture and clock go on from where they were when the display comes back.
// Only while playback is set up (the display objects exist).
void SaverWnd::OnDisplayPower(DisplayPower power) {
    const bool off = power == DisplayPower::kOff;
    if (power == DisplayPower::kUnchanged || off == displayOff || screens.Count() == 0 ||
        !GetPrimarySurface())
        return;
    displayOff = off;
    if (off) {
        StopTimers();
        screens.Pause();
        return;
    }
    screens.Resume();
    StartTimers(GetSafeHwnd(), timerRates[0], timerRates[1]);
}

void SaverWnd::OnDraw(HDC paintContext) {
    Paint(paintContext, PaintScope::kWhole);
}

void SaverWnd::Paint(HDC dc, PaintScope scope) {
    SaverConfigDlg* config = Config();
    if (!config)
        return;
    for (int i = 0; i < screens.Count(); ++i)
        PaintScreen(i, dc, scope);
    if (pendingStart == PendingStart::kAfterFirstPaint) {
        pendingStart = PendingStart::kPosted;
        PostMessageA(GetSafeHwnd(), WM_START_PRESENTING, 0, 0);
    }
    if (!screens.AnyOpen() && !saverState.previewMode)
        DrawCannotOpenMessage(*config);
}

void SaverWnd::PaintScreen(int screen, HDC dc, PaintScope scope) {
    SaverConfigDlg* config = Config();
    if (!config)
        return;
    RECT screenRect;
    GetClientRect(GetSafeHwnd(), &screenRect);
    MapWindowPoints(GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&screenRect), 2);
    // A preview inside the display settings is always scaled.
    const bool scale = config->scaleToFit || screenRect.left > 0 || screenRect.top > 0;
    const PlaybackScreens::Screen& s = screens.At(screen);
    const Screens where = saverState.previewMode       ? Screens::kClientArea
                          : config->playOnEveryMonitor ? Screens::kEveryMonitor
                                                       : Screens::kPrimaryMonitor;
    Render(*s.recording, GetSafeHwnd(), dc, config->drawMouseClicks != 0, scale, scope, where,
           s.monitor);
}

// The message of a recording (or a folder) that cannot be opened, white and
// centred on the screen (the primary monitor).
void SaverWnd::DrawCannotOpenMessage(const SaverConfigDlg& config) {
    RECT screenRect;
    GetClientRect(GetSafeHwnd(), &screenRect);
    MapWindowPoints(GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&screenRect), 2);
    const MonitorArrangement& monitors = GetMonitors();
    if (monitors.count > 0) {
        const Rect& primary = monitors.areas[monitors.primary];
        screenRect = {primary.left, primary.top, primary.right, primary.bottom};
    }
    std::string text;
    FormatString(text, LoadResourceString(IDS_CANNOT_OPEN).c_str(), config.recordingPath.c_str());
    IDirectDrawSurface* primary = GetPrimarySurface();
    HDC dc = nullptr;
    if (!primary || primary->GetDC(&dc) != DD_OK)
        return;
    RECT measured = screenRect;
    DrawTextA(dc, text.c_str(), -1, &measured, DT_CALCRECT | DT_CENTER);
    const int height = measured.bottom - measured.top;
    RECT target = screenRect;
    target.top = screenRect.top + (screenRect.bottom - screenRect.top - height) / 2;
    target.bottom = target.top + height;
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, GetPixel(dc, 0, 0));
    DrawTextA(dc, text.c_str(), -1, &target, DT_CENTER);
    primary->ReleaseDC(dc);
}
