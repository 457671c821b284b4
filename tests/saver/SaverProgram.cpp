#include "SaverProgram.h"

#include "e2e/WindowWait.h"

namespace saver_e2e {

std::string SaverPath() {
    return e2e::WindowsPath(QV_SAVER_PATH);
}

HWND MakeTestWindow(const char* title) {
    HWND window = CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320,
                                  240, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    e2e::PumpMessages();
    return window;
}

std::string HandleText(HWND window) {
    return std::to_string(reinterpret_cast<uintptr_t>(window));
}

HWND StartFullScreen(e2e::TestProcess& saver, const std::string& program) {
    if (!saver.Start(program, "/s"))
        return nullptr;
    return e2e::WaitForWindow("WindowsScreenSaverClass", "Screen Saver", startTimeoutMs);
}

bool WaitUntilReady(const e2e::TestProcess& saver, HWND window) {
    return e2e::WaitUntilIdle(saver.Handle(), window, startTimeoutMs) &&
           e2e::WaitUntil([&] { return GetForegroundWindow() == window; }, startTimeoutMs);
}

DWORD ExitCodeAfterWindowGone(e2e::TestProcess& saver, HWND window) {
    DWORD exitCode = saver.ExitCodeOrKill(endTimeoutMs);
    return IsWindow(window) ? e2e::TestProcess::killedExitCode : exitCode;
}

DWORD RunToEnd(const std::string& program, const std::string& arguments) {
    e2e::TestProcess process;
    if (!process.Start(program, arguments))
        return e2e::TestProcess::killedExitCode;
    return process.ExitCodeOrKill(endTimeoutMs);
}

HWND WaitForConfigDialog() {
    return e2e::WaitForWindow("#32770", "Quorvane Screen Saver", startTimeoutMs);
}

bool IsChecked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string ControlText(HWND dialog, int id) {
    char text[1024] = {};
    SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

DWORD CancelDialog(e2e::TestProcess& saver, HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return saver.ExitCodeOrKill(endTimeoutMs);
}

}  // namespace saver_e2e
