#include "SaverProgram.h"

#include "e2e/WindowWait.h"

namespace saver_e2e {

std::string SaverPath() {
    return e2e::WindowsPath(QV_SAVER_PATH);
}

HWND StartFullScreen(e2e::TestProcess& saver, const std::string& program) {
    if (!saver.Start(program, "/s"))
        return nullptr;
    return e2e::WaitForWindow("WindowsScreenSaverClass", "Screen Saver", timeoutMs);
}

bool WaitUntilReady(const e2e::TestProcess& saver, HWND window) {
    return e2e::WaitUntilIdle(saver.Handle(), window, timeoutMs) &&
           e2e::WaitUntil([&] { return GetForegroundWindow() == window; }, timeoutMs);
}

DWORD ExitCodeAfterWindowGone(e2e::TestProcess& saver, HWND window) {
    DWORD exitCode = saver.ExitCodeOrKill(timeoutMs);
    return IsWindow(window) ? e2e::TestProcess::killedExitCode : exitCode;
}

HWND WaitForConfigDialog() {
    return e2e::WaitForWindow("#32770", "Quorvane Screen Saver", timeoutMs);
}

DWORD CancelDialog(e2e::TestProcess& saver, HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return saver.ExitCodeOrKill(timeoutMs);
}

}  // namespace saver_e2e
