#include "recorder/RecorderDlg.h"

#include <cstdio>

#include "classlib/FileDialog.h"
#include "playback/ScreenMonitors.h"
#include "recorder/CaptureRegion.h"
#include "recorder/RecorderResourceIds.h"
#include "recorder/RegionPicker.h"
#include "recorder/SaverHandoff.h"

namespace {
const char kCaption[] = "Quorvane Screen Recorder";
const UINT kTrayMessage = WM_APP + 1;
const UINT_PTR kStartTimer = 1;  // after the window is hidden: the screen is redrawn
const UINT_PTR kWatchTimer = 2;  // while recording: has the session ended by itself?
const UINT kStartDelayMs = 300;
const UINT kWatchMs = 200;
const int kAreaButtons[] = {IDC_WHOLE_SCREEN, IDC_ONE_MONITOR, IDC_RECTANGLE};

std::string MonitorText(size_t index, const RECT& r) {
    char text[96];
    std::snprintf(text, sizeof text, "%u: %ld x %ld at (%ld, %ld)", unsigned(index + 1),
                  r.right - r.left, r.bottom - r.top, r.left, r.top);
    return text;
}
}  // namespace

RecorderDlg::RecorderDlg() : CDialog(IDD_RECORDER) {
    settings.Load();
}

RecorderDlg::~RecorderDlg() = default;

BOOL RecorderDlg::OnInitDialog() {
    HWND dialog = GetSafeHwnd();
    const HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_RECORDER));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, LPARAM(icon));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, LPARAM(icon));
    const MonitorArrangement arrangement = EnumerateMonitors();
    for (int i = 0; i < arrangement.count; ++i) {
        const Rect& a = arrangement.areas[i];
        monitors.push_back(RECT{a.left, a.top, a.right, a.bottom});
        SendDlgItemMessageA(dialog, IDC_MONITOR, CB_ADDSTRING, 0,
                            LPARAM(MonitorText(monitors.size() - 1, monitors.back()).c_str()));
    }
    if (settings.monitor < 0 || size_t(settings.monitor) >= monitors.size())
        settings.monitor = 0;
    if (settings.area < RecorderSettings::kWholeScreen ||
        settings.area > RecorderSettings::kRectangle)
        settings.area = RecorderSettings::kWholeScreen;
    idleStatus = hotKey.Register(dialog)
                     ? "While recording, " + hotKey.Name() +
                           " or a click on the recorder's icon by the clock stops it."
                     : "While recording, a click on the recorder's icon by the clock stops it.";
    SetStatus(idleStatus);
    ShowRectangle();
    CenterWindow();
    return CDialog::OnInitDialog();
}

void RecorderDlg::DoDataExchange(CDataExchange& exchange) {
    HWND dialog = exchange.dialog;
    if (exchange.saveAndValidate) {
        for (int area = 0; area < 3; ++area)
            if (IsDlgButtonChecked(dialog, kAreaButtons[area]) == BST_CHECKED)
                settings.area = area;
        const LRESULT monitor = SendDlgItemMessageA(dialog, IDC_MONITOR, CB_GETCURSEL, 0, 0);
        settings.monitor = monitor == CB_ERR ? 0 : int(monitor);
        BOOL number = FALSE;
        settings.framesPerSecond =
            int(GetDlgItemInt(dialog, IDC_FRAMES_PER_SECOND, &number, FALSE));
        if (!number)
            settings.framesPerSecond = 0;
    } else {
        CheckRadioButton(dialog, IDC_WHOLE_SCREEN, IDC_RECTANGLE, kAreaButtons[settings.area]);
        SendDlgItemMessageA(dialog, IDC_MONITOR, CB_SETCURSEL, WPARAM(settings.monitor), 0);
        SetDlgItemInt(dialog, IDC_FRAMES_PER_SECOND, UINT(settings.framesPerSecond), FALSE);
    }
    DDX_Check(exchange, IDC_RECORD_POINTER, settings.recordPointer);
    DDX_Check(exchange, IDC_RECORD_CLICKS, settings.recordClicks);
    DDX_Text(exchange, IDC_OUTPUT_FILE, settings.file);
    DDX_Text(exchange, IDC_TITLE, settings.title);
    DDX_Text(exchange, IDC_AUTHOR, settings.author);
    DDX_Text(exchange, IDC_DESCRIPTION, settings.description);
}

bool RecorderDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) != IDOK &&
                LOWORD(wParam) != IDCANCEL) {
                OnCommand(LOWORD(wParam));
                return true;
            }
            break;
        case WM_TIMER:
            if (wParam == kStartTimer) {
                KillTimer(GetSafeHwnd(), kStartTimer);
                StartRecording();
            } else if (wParam == kWatchTimer && session &&
                       WaitForSingleObject(session->Ended(), 0) == WAIT_OBJECT_0) {
                FinishRecording();
            }
            return true;
        case WM_HOTKEY:
            if (session)
                FinishRecording();
            return true;
        case kTrayMessage:
            if (session && (lParam == WM_LBUTTONUP || lParam == WM_RBUTTONUP))
                FinishRecording();
            return true;
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
}

void RecorderDlg::OnCommand(int id) {
    switch (id) {
        case IDC_RECORD:
            OnRecord();
            break;
        case IDC_STOP:
            if (session)
                FinishRecording();
            break;
        case IDC_SELECT_RECTANGLE:
            OnSelectRectangle();
            break;
        case IDC_BROWSE_OUTPUT:
            OnBrowseOutput();
            break;
        case IDC_USE_AS_SAVER:
            OnUseAsSaver();
            break;
        case IDC_PLAY:
            OnPlay();
            break;
    }
}

void RecorderDlg::OnCancel() {
    if (session)
        FinishRecording();
    UpdateData(TRUE);
    settings.Save();
    CDialog::OnCancel();
}

bool RecorderDlg::ChosenRegion(RECT& region, std::string& problem) const {
    switch (settings.area) {
        case RecorderSettings::kOneMonitor:
            if (size_t(settings.monitor) >= monitors.size()) {
                problem = "No monitor is chosen.";
                return false;
            }
            region = monitors[size_t(settings.monitor)];
            return true;
        case RecorderSettings::kRectangle:
            region = settings.rectangle;
            if (IsRectEmpty(&region)) {
                problem = "Select the rectangle to record first.";
                return false;
            }
            return true;
        default:
            region = VirtualScreen();
            return true;
    }
}

void RecorderDlg::OnSelectRectangle() {
    ShowWindow(GetSafeHwnd(), SW_HIDE);
    Sleep(kStartDelayMs);  // the screen is redrawn without this window
    RECT picked;
    if (PickRegion(picked)) {
        settings.rectangle = picked;
        CheckRadioButton(GetSafeHwnd(), IDC_WHOLE_SCREEN, IDC_RECTANGLE, IDC_RECTANGLE);
    }
    ShowWindow(GetSafeHwnd(), SW_SHOW);
    SetForegroundWindow(GetSafeHwnd());
    ShowRectangle();
}

void RecorderDlg::ShowRectangle() {
    const RECT& r = settings.rectangle;
    SetDlgItemTextA(GetSafeHwnd(), IDC_RECTANGLE_TEXT,
                    IsRectEmpty(&r) ? "" : RectText(ToRect(r)).c_str());
}

void RecorderDlg::OnBrowseOutput() {
    UpdateData(TRUE);
    CFileDialog chooser(settings.file, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                        "VQD file (.vqd)|*.vqd|All Files (*.*)|*.*||", GetSafeHwnd(), "vqd");
    if (chooser.DoModal() != IDOK)
        return;
    settings.file = chooser.GetPathName();
    UpdateData(FALSE);
}

void RecorderDlg::OnUseAsSaver() {
    if (UseAsScreenSaver(recorded))
        SetStatus(FullPath(recorded) + " is now the screen saver's recording.");
    else
        Complain("The screen saver's settings cannot be written.");
}

void RecorderDlg::OnPlay() {
    std::string problem;
    if (!PlayInSaver(recorded, problem))
        Complain(problem);
}

void RecorderDlg::SetStatus(const std::string& text) {
    SetDlgItemTextA(GetSafeHwnd(), IDC_STATUS, text.c_str());
}

void RecorderDlg::Complain(const std::string& text) {
    SetStatus(text);
    MessageBoxA(GetSafeHwnd(), text.c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
}

void RecorderDlg::Enable(int id, bool enabled) {
    EnableWindow(GetDlgItem(GetSafeHwnd(), id), enabled);
}

// ---- recording --------------------------------------------------------------

void RecorderDlg::OnRecord() {
    UpdateData(TRUE);
    RECT region;
    std::string problem;
    if (settings.framesPerSecond < int(kFewestFramesPerSecond) ||
        settings.framesPerSecond > int(kMostFramesPerSecond))
        problem = "Frames per second: a whole number from 1 to 30.";
    else if (settings.file.empty())
        problem = "Choose the file to save the recording as.";
    else if (ChosenRegion(region, problem))
        problem = RegionProblem(ToRect(region), ToRect(VirtualScreen()));
    if (!problem.empty()) {
        Complain(problem);
        return;
    }
    settings.Save();
    Enable(IDC_RECORD, false);
    ShowWindow(GetSafeHwnd(), SW_HIDE);
    SetTimer(GetSafeHwnd(), kStartTimer, kStartDelayMs, nullptr);
}

void RecorderDlg::StartRecording() {
    SessionSettings s;
    std::string problem;
    ChosenRegion(s.region, problem);
    s.file = settings.file;
    s.bitsPerPixel = kDefaultBitsPerPixel;
    s.capture = {uint32_t(settings.framesPerSecond), 0, settings.recordPointer != 0,
                 settings.recordClicks != 0};
    s.info = {uint32_t(settings.framesPerSecond), 50, settings.title, settings.author,
              settings.description};
    session = std::make_unique<RecordingSession>();
    if (!session->Start(s, problem)) {
        session.reset();
        ShowWindow(GetSafeHwnd(), SW_SHOW);
        Enable(IDC_RECORD, true);
        Complain(problem);
        return;
    }
    const HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_RECORDER));
    const std::string tip = "Recording - click to stop" +
                            (hotKey.Name().empty() ? std::string() : " (" + hotKey.Name() + ")");
    trayIcon.Add(GetSafeHwnd(), kTrayMessage, icon, tip.c_str());
    Enable(IDC_STOP, true);
    Enable(IDC_USE_AS_SAVER, false);
    Enable(IDC_PLAY, false);
    SetTimer(GetSafeHwnd(), kWatchTimer, kWatchMs, nullptr);
}

void RecorderDlg::FinishRecording() {
    KillTimer(GetSafeHwnd(), kWatchTimer);
    const RecordingSummary summary = session->Stop();
    const std::string report = session->Report(summary);
    session.reset();
    trayIcon.Remove();
    recorded = summary.written ? settings.file : std::string();
    Enable(IDC_RECORD, true);
    Enable(IDC_STOP, false);
    Enable(IDC_USE_AS_SAVER, summary.written);
    Enable(IDC_PLAY, summary.written);
    ShowWindow(GetSafeHwnd(), SW_SHOW);
    SetForegroundWindow(GetSafeHwnd());
    if (summary.writeFailed || !summary.written)
        Complain(report);
    else
        SetStatus(report);
}
