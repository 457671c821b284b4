// The recorder run from a command line: records without a window, or asks the
// recorder of a file to stop. One line on standard error says what failed.
#pragma once
#include "recorder/RecorderCommandLine.h"

// Exit codes: 0 a playable recording was written (or stopped), 1 failure, 2 usage.
enum RecorderExitCode { kRecorded = 0, kFailed = 1, kUsage = 2 };

int RunRecorderCommand(const RecorderCommand& command);
