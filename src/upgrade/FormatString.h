#pragma once
#include <string>

// printf-style formatting into a growing text. The text may grow to 43008
// characters; a longer result is cut there.
void FormatString(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
