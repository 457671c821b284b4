#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// The Windows form of a path of the machine running Wine ("/a/b" → "Z:\a\b").
std::string WindowsPath(const std::string& hostPath);

// A Windows program started by a test. A program still running when the
// object goes away is killed.
class TestProcess {
  public:
    TestProcess() = default;
    ~TestProcess() { Kill(); }
    TestProcess(const TestProcess&) = delete;
    TestProcess& operator=(const TestProcess&) = delete;

    // Starts program with the command line "program" arguments and the
    // creation flags given; the program's folder is its current folder.
    bool Start(const std::string& program, const std::string& arguments, DWORD flags = 0);
    // Waits for the end and kills the program when it does not end in time;
    // returns the exit code, or killedExitCode after a kill.
    DWORD ExitCodeOrKill(DWORD timeoutMs);
    bool IsRunning() const;
    void Kill();
    DWORD Id() const { return info.dwProcessId; }
    HANDLE Handle() const { return info.hProcess; }

    static constexpr DWORD killedExitCode = 0xDEAD;

  private:
    PROCESS_INFORMATION info = {};
};

}  // namespace e2e
