#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "recording/SystemServices.h"

namespace sys {

uint32_t NowMilliseconds() {
    return timeGetTime();
}

Point LiveCursorPosition() {
    POINT p = {0, 0};
    if (!GetCursorPos(&p))
        return Point{0, 0};
    return Point{p.x, p.y};
}

bool StartProgram(const char* program, const char* commandLine) {
    char line[1024] = "";
    if (commandLine) {
        if (std::strlen(commandLine) >= sizeof line)
            return false;
        std::strcpy(line, commandLine);
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program, commandLine ? line : nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool ShellOpenDocument(const char* path) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.lpFile = path;
    return ShellExecuteExA(&info) != FALSE;
}

std::string ProgramPath() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::string() : std::string(path, n);
}

}  // namespace sys
