#include "upgrade/LaunchProcess.h"

namespace {

bool Launch(const char* program, char* commandLine, DWORD waitMs) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    if (waitMs != 0)
        WaitForSingleObject(process.hProcess, waitMs);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

bool LaunchProcess(const char* program, const char* arguments, DWORD waitMs) {
    if (!arguments)
        return Launch(program, nullptr, waitMs);
    return LaunchCommandLine(program, std::string(" ") + arguments, waitMs);
}

bool LaunchCommandLine(const char* program, std::string commandLine, DWORD waitMs) {
    return Launch(program, commandLine.data(), waitMs);
}
