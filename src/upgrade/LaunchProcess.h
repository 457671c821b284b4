#pragma once
#include <windows.h>

#include <string>

// Starts a program (its path as the application name) with the command line
// " arguments", or none when arguments is null; no handle inheritance, the
// caller's environment and folder. Waits up to waitMs for its end when waitMs
// is not 0. Returns whether the process was created.
bool LaunchProcess(const char* program, const char* arguments, DWORD waitMs);
// The same with the whole command line given, the program's name first as
// programs expect it.
bool LaunchCommandLine(const char* program, std::string commandLine, DWORD waitMs);
