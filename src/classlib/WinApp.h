#pragma once
#include <windows.h>

#include <string>

class CWnd;

// The application object. Exactly one exists per process; it registers itself
// on construction so that window procedures can find it with Current().
// Startup() records what the process was started with; Terminate() forgets it.
class CWinApp {
  public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* Current();

    void Startup(HINSTANCE instance, const char* commandLine, int showCommand);
    void Terminate();
    bool IsStarted() const { return started; }
    HINSTANCE Instance() const { return instance; }
    const std::string& CommandLine() const { return commandLine; }
    int ShowCommand() const { return showCommand; }

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    CWnd* mainWnd = nullptr;

  private:
    bool started = false;
    HINSTANCE instance = nullptr;
    std::string commandLine;
    int showCommand = SW_SHOWDEFAULT;
};
