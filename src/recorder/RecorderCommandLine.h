// The recorder's command line, for scripts and tests:
//   grabora.exe /record FILE [/seconds N] [/fps N] [/region LEFT,TOP,RIGHT,BOTTOM] [/bits 16|32]
//   the same with /stop: ends the recording of FILE that runs
// Without arguments the recorder shows its window. Platform-free.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "recording/Geometry.h"

constexpr uint32_t kFewestFramesPerSecond = 1;
constexpr uint32_t kMostFramesPerSecond = 30;
constexpr uint32_t kDefaultFramesPerSecond = 10;
constexpr uint32_t kDefaultBitsPerPixel = 16;

struct RecorderCommand {
    enum class Kind { ShowWindow, Record, Stop, Usage };
    Kind kind = Kind::ShowWindow;
    std::string file;
    uint32_t seconds = 0;  // 0: until stopped
    uint32_t framesPerSecond = kDefaultFramesPerSecond;
    bool wholeScreen = true;  // else region
    Rect region = {};
    uint32_t bitsPerPixel = kDefaultBitsPerPixel;
    std::string problem;  // what is wrong with a command of kind Usage
};

// The arguments after the program's name; options are case-blind and begin
// with "/" or "-".
RecorderCommand ParseRecorderCommand(const std::vector<std::string>& arguments);

extern const char kRecorderUsage[];
