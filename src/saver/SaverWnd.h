#pragma once
#include "playback/FramePresenter.h"
#include "saver/DisplayPower.h"
#include "saver/PlaybackScreens.h"
#include "saver/ScreenSaverWnd.h"

class SaverConfigDlg;

// The program's saver window: it plays the configured recording, the one
// appended to the program itself, or a folder's recordings, until input ends
// the saver. A recording (or a folder of which none) that cannot be opened
// leaves a black window with a message. While the display is off, playback
// pauses.
class SaverWnd : public CScreenSaverWnd {
  public:
    void OnDraw(HDC paintContext) override;
    void OnSaverCreated() override;

    void StartPlayback();
    BOOL OpenPlayback();
    void StopPlayback();

  protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void StartPresenting();
    void OnTimer();
    void OnDisplayPower(DisplayPower power);
    void Paint(HDC dc, PaintScope scope);
    void PaintScreen(int screen, HDC dc, PaintScope scope);
    void DrawCannotOpenMessage(const SaverConfigDlg& config);
    void RestartTimersForRates();

    PlaybackScreens screens;
    uint32_t timerRates[2] = {};

    HPOWERNOTIFY displayNotification = nullptr;
    bool displayOff = false;
    // The start of DirectDraw and the timers, between the first paint and them.
    enum class PendingStart { kNone, kAfterFirstPaint, kPosted };
    PendingStart pendingStart = PendingStart::kNone;
};
