// What every vqdtool command shares: exit codes, the one-line error report and
// writing an output file that never replaces an input and never stays half-made.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

enum ExitCode { kExitOk = 0, kExitBadFile = 1, kExitUsage = 2 };

// "vqdtool: FILE: offset N: REASON" on stderr; returns kExitBadFile.
int ReportBadFile(const std::string& file, uint64_t offset, const std::string& reason);
int ReportUsage(const char* usage);

// True when both paths name the same existing file.
bool SameFile(const std::string& a, const std::string& b);

// Writes OUT through a temporary file beside it, renamed into place only when
// write() succeeded; nothing of a failed attempt is left.
bool WriteOutputFile(const std::string& out,
                     const std::function<bool(const std::string& tempPath)>& write);

// Finds "-o PATH" among the arguments and removes it; empty when absent.
std::string TakeOutputOption(int& argc, char** argv);
