#include "upgrade/LaunchProcess.h"

#include <string>
#include <vector>

bool LaunchProcess(const char* program, const char* arguments, DWORD waitMs) {
    std::vector<char> commandLine;
    if (arguments) {
        const std::string text = std::string(" ") + arguments;
        commandLine.assign(text.begin(), text.end());
        commandLine.push_back('\0');
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program, arguments ? commandLine.data() : nullptr, nullptr, nullptr, FALSE,
                        0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    if (waitMs != 0)
        WaitForSingleObject(process.hProcess, waitMs);
    CloseHandle(process.hProcess);
    return true;
}
