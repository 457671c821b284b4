#include "saver/SaverWnd.h"

#include "classlib/MessageBox.h"
#include "playback/ClickMarks.h"
#include "playback/DisplayObjects.h"
#include "playback/FramePresenter.h"
#include "playback/PlaybackTimers.h"
#include "resources/ResourceIds.h"
#include "saver/ModulePath.h"
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

// Picks the reader by the file's content and opens the recording; an
// empty path means the recording appended to the program itself.
void OpenRecording(SaverConfigDlg& config) {
    if (config.recordingPath.empty()) {
        const ModulePath self;
        if (!IsEmbeddedRecording(self.Path()))
            return;
        config.currentFile = &config.exeFile;
        config.currentFile->Open(self.Path(), LockedFile::kRead);
        return;
    }
    const char* path = config.recordingPath.c_str();
    config.currentFile =
        IsEmbeddedRecording(path) ? static_cast<RecordingFile*>(&config.exeFile) : &config.vqdFile;
    config.currentFile->Open(path, LockedFile::kRead);
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

// Opens the recording and decodes its first record, so that the window's
// first paint shows it (through GDI). DirectDraw, the click marks and the
// timers wait until that picture is on the screen (StartPresenting), and so
// does the recording's clock: the first picture shows for its whole delay.
BOOL SaverWnd::OpenPlayback() {
    SaverConfigDlg* config = Config();
    if (!config)
        return FALSE;
    OpenRecording(*config);
    RecordingFile& recording = *config->currentFile;
    recording.SetCaptureListener(ForgetPictures);
    if (recording.IsOpen()) {
        recording.SetAutoRepeat(config->autoRepeat);
        recording.SetQuickPlay(config->quickPlay);
        recording.Restart();
        recording.PlayStep();
        recording.Pause();
    }
    pendingStart = PendingStart::kAfterFirstPaint;
    return TRUE;
}

void SaverWnd::StartPresenting() {
    SaverConfigDlg* config = Config();
    if (pendingStart != PendingStart::kPosted || !config || !config->currentFile)
        return;
    pendingStart = PendingStart::kNone;
    RecordingFile& recording = *config->currentFile;
    if (!InitDisplay(GetSafeHwnd()) || !LoadClickMarks(IDB_CLICK_MARKS) ||
        !StartTimers(GetSafeHwnd(), recording.GetFrameRate(), recording.GetSecondaryRate())) {
        StopPlayback();
        return;
    }
    if (!saverState.previewMode)
        displayNotification = RegisterDisplayPowerNotification(GetSafeHwnd());
    if (recording.IsPaused())
        recording.Resume();
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
    SaverConfigDlg* config = Config();
    if (config && config->currentFile)
        config->currentFile->Close();
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

// Both timers alike: at most one record per tick, and what it changed is
// painted at once. No timer message is posted while a tick runs.
void SaverWnd::OnTimer() {
    SetTickSuspended(1);
    SaverConfigDlg* config = Config();
    if (config && config->currentFile && !displayOff) {
        RecordingFile& recording = *config->currentFile;
        recording.PlayStep();
        if (!recording.GetDirtyRects().empty()) {
            HDC dc = GetDC(GetSafeHwnd());
            Paint(dc, PaintScope::kChanges);
            ReleaseDC(GetSafeHwnd(), dc);
        }
    }
    Default();
    SetTickSuspended(0);
}

// Nothing plays while the display is off: the timers stop, which also ends
// their raised timer resolution, and the recording's clock pauses, so that
// picture and clock go on from where they were when the display comes back.
// Only while playback is set up (the display objects exist).
void SaverWnd::OnDisplayPower(DisplayPower power) {
    SaverConfigDlg* config = Config();
    const bool off = power == DisplayPower::kOff;
    if (power == DisplayPower::kUnchanged || off == displayOff || !config || !config->currentFile ||
        !GetPrimarySurface())
        return;
    displayOff = off;
    RecordingFile& recording = *config->currentFile;
    if (off) {
        StopTimers();
        if (recording.IsPlaying() && !recording.IsPaused())
            recording.Pause();
        return;
    }
    if (recording.IsPaused())
        recording.Resume();
    StartTimers(GetSafeHwnd(), recording.GetFrameRate(), recording.GetSecondaryRate());
}

void SaverWnd::OnDraw(HDC paintContext) {
    Paint(paintContext, PaintScope::kWhole);
}

void SaverWnd::Paint(HDC dc, PaintScope scope) {
    SaverConfigDlg* config = Config();
    if (!config || !config->currentFile)
        return;
    RECT screenRect;
    GetClientRect(GetSafeHwnd(), &screenRect);
    MapWindowPoints(GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&screenRect), 2);
    // A preview inside the display settings is always scaled.
    const bool scale = config->scaleToFit || screenRect.left > 0 || screenRect.top > 0;
    const Screens screens = saverState.previewMode       ? Screens::kClientArea
                            : config->playOnEveryMonitor ? Screens::kEveryMonitor
                                                         : Screens::kPrimaryMonitor;
    Render(*config->currentFile, GetSafeHwnd(), dc, config->drawMouseClicks != 0, scale, scope,
           screens);
    if (pendingStart == PendingStart::kAfterFirstPaint) {
        pendingStart = PendingStart::kPosted;
        PostMessageA(GetSafeHwnd(), WM_START_PRESENTING, 0, 0);
    }
    if (config->currentFile->IsOpen() || saverState.previewMode)
        return;
    const MonitorArrangement& monitors = GetMonitors();
    if (monitors.count > 0) {
        const Rect& primary = monitors.areas[monitors.primary];
        screenRect = {primary.left, primary.top, primary.right, primary.bottom};
    }
    DrawCannotOpenMessage(screenRect, *config);
}

// The message of a recording that cannot be opened, white and centred on
// the screen (the primary monitor).
void SaverWnd::DrawCannotOpenMessage(const RECT& screenRect, const SaverConfigDlg& config) {
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
