// The recorder's window: what to record, how, into which file with which
// header texts; Record hides it and records until the hot key, the icon in
// the notification area or the end of the session stops; then the recording
// can become the screen saver's or be played by it.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "classlib/Dialog.h"
#include "recorder/RecorderSettings.h"
#include "recorder/RecordingSession.h"
#include "recorder/StopHotKey.h"
#include "recorder/TrayIcon.h"

class RecorderDlg : public CDialog {
  public:
    RecorderDlg();
    ~RecorderDlg() override;

  protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange& exchange) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void OnCommand(int id);
    void OnRecord();
    void StartRecording();
    void FinishRecording();
    void OnSelectRectangle();
    void OnBrowseOutput();
    void OnUseAsSaver();
    void OnPlay();
    // The region of the chosen area; false with a problem when there is none.
    bool ChosenRegion(RECT& region, std::string& problem) const;
    void ShowRectangle();
    void SetStatus(const std::string& text);
    void Complain(const std::string& text);
    void Enable(int id, bool enabled);

    RecorderSettings settings;
    std::vector<RECT> monitors;
    std::unique_ptr<RecordingSession> session;
    std::string recorded;  // the file of the last finished recording
    StopHotKey hotKey;
    TrayIcon trayIcon;
    std::string idleStatus;
};
