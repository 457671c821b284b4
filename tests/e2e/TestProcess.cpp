#include "e2e/TestProcess.h"

#include "e2e/WindowWait.h"

#include <algorithm>
#include <vector>

namespace e2e {

std::string WindowsPath(const std::string& hostPath) {
    std::string path = hostPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path.rfind('\\', 0) == 0 ? "Z:" + path : path;
}

TestProcess::~TestProcess() {
    Kill();
}

bool TestProcess::Start(const std::string& program, const std::string& arguments) {
    Kill();
    std::string line = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    std::string folder = program.substr(0, program.find_last_of('\\'));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        info = {};
        return false;
    }
    CloseHandle(info.hThread);
    info.hThread = nullptr;
    return true;
}

DWORD TestProcess::ExitCodeOrKill(DWORD timeoutMs) {
    DWORD exitCode = killedExitCode;
    if (info.hProcess && WaitForHandle(info.hProcess, timeoutMs)) {
        GetExitCodeProcess(info.hProcess, &exitCode);
        CloseHandle(info.hProcess);
        info = {};
        return exitCode;
    }
    Kill();
    return killedExitCode;
}

bool TestProcess::IsRunning() const {
    return info.hProcess && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT;
}

void TestProcess::Kill() {
    if (!info.hProcess)
        return;
    if (IsRunning()) {
        TerminateProcess(info.hProcess, killedExitCode);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hProcess);
    info = {};
}

}  // namespace e2e
