// The few services of the operating system that the recording reader needs,
// kept apart from the format code.
#pragma once
#include <cstdint>
#include <string>

#include "recording/Geometry.h"

namespace sys {

// The system's millisecond counter (wraps at 2^32).
uint32_t NowMilliseconds();

// Where the mouse pointer is now, or (0, 0) where there is no pointer.
Point LiveCursorPosition();

// Starts a program without waiting for it; commandLine may be null.
bool StartProgram(const char* program, const char* commandLine);
// Opens a document with the shell's default action.
bool ShellOpenDocument(const char* path);
// The file name of the running program; empty when it cannot be had.
std::string ProgramPath();

}  // namespace sys
