#include "SaverProgram.h"

#include "e2e/WindowWait.h"

namespace saver_e2e {

std::string SaverPath()
{
    return e2e::WindowsPath(QV_SAVER_PATH);
}

std::string Win98SaverPath()
{
    return e2e::WindowsPath(QV_WIN98_SAVER_PATH);
}

std::string Win98BareSaverPath()
{
    return e2e::WindowsPath(QV_WIN98_BARE_SAVER_PATH);
}

HWND StartFullScreen(e2e::TestProcess& saver, const std::string& program)
{
    if (!saver.Start(program, "/s"))
        return nullptr;
    return e2e::WaitForWindow("WindowsScreenSaverClass", "Screen Saver", startTimeoutMs);
}

bool WaitUntilReady(const e2e::TestProcess& saver, HWND window)
{
    return e2e::WaitUntilIdle(saver.Handle(), window, startTimeoutMs) &&
           e2e::WaitUntil([&] { return GetForegroundWindow() == window; }, startTimeoutMs);
}

DWORD ExitCodeAfterWindowGone(e2e::TestProcess& saver, HWND window)
{
    DWORD exitCode = saver.ExitCodeOrKill(endTimeoutMs);
    return IsWindow(window) ? e2e::TestProcess::killedExitCode : exitCode;
}

DWORD RunToEnd(const std::string& program, const std::string& arguments)
{
    e2e::TestProcess process;
    if (!process.Start(program, arguments))
        return e2e::TestProcess::killedExitCode;
    return process.ExitCodeOrKill(endTimeoutMs);
}

} // namespace saver_e2e
