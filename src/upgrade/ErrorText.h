#pragma once
#include <string>

// English texts for file and memory errors of the download and file helpers.
// Each builder composes its message into one process-wide text, which stays
// there until the next builder call, and returns it. Nothing displays it.
// A where-format (printf style, may be null) adds a blank line and the
// formatted text, cut to 519 characters, after the head.

// "Can not allocate memory!"
std::string FormatAllocError(const char* whereFormat = nullptr, ...)
    __attribute__((format(printf, 1, 2)));
// "Can not open file!"
std::string FormatOpenError(const char* whereFormat = nullptr, ...)
    __attribute__((format(printf, 1, 2)));
// "Can not read file!"
std::string FormatReadError(const char* whereFormat = nullptr, ...)
    __attribute__((format(printf, 1, 2)));

// The text of the last builder call; empty before the first.
std::string LastErrorText();
