// The recorder's application object: its window, modal, for the life of the process.
#pragma once
#include "classlib/WinApp.h"

class RecorderApp : public CWinApp {
  public:
    // Shows the recorder's window until it is closed; the process's exit code.
    int Run();
};
