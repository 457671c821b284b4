#pragma once
#include "e2e/TestProcess.h"

#include <windows.h>

#include <string>

// The built screen saver as the end-to-end tests run it.
namespace saver_e2e {

// How long a test waits for the saver to start, to answer or to end.
const DWORD timeoutMs = 20000;

std::string SaverPath();

// Starts the saver with the arguments and waits for its full-screen window.
HWND StartFullScreen(e2e::TestProcess& saver, const std::string& program = SaverPath());
// Waits until the full-screen saver has handled everything so far, waits for
// input and is the foreground window, which receives the keys.
bool WaitUntilReady(const e2e::TestProcess& saver, HWND window);
// Waits for the saver's full-screen window to be gone and returns the exit code.
DWORD ExitCodeAfterWindowGone(e2e::TestProcess& saver, HWND window);

// The configuration dialog, once shown.
HWND WaitForConfigDialog();
// Closes the configuration dialog as Esc would and returns the exit code.
DWORD CancelDialog(e2e::TestProcess& saver, HWND dialog);

}  // namespace saver_e2e
