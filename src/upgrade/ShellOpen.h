#pragma once
#include <windows.h>

// Opens a file or an address with the shell; a null verb means the default
// action. No process handle is asked for, so nothing is waited for.
bool ShellOpen(const char* file, const char* verb, DWORD waitMs);
