// Running the built recorder from a test and reading back what it recorded.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "e2e/Screenshot.h"
#include "e2e/TestProcess.h"

namespace recorder_e2e {

// How long a test waits for the recorder to start, answer or end.
const DWORD timeoutMs = 30000;

std::string RecorderPath();

// A run of the recorder to its end: exit code and what it wrote to its
// standard output and error.
struct RunResult {
    DWORD exitCode;
    std::string output;
};
RunResult RunRecorder(const std::string& arguments);
// Starts the recorder and leaves it running.
bool StartRecorder(e2e::TestProcess& recorder, const std::string& arguments);

// One record of a recording as a player shows it: its picture reduced to
// 16 bits a pixel (5, 6 and 5 bits, 0xRRRRRGGGGGGBBBBB), rows from the top.
struct Shown {
    uint32_t timeMs;  // the sum of the delays up to it
    int width, height;
    std::vector<uint16_t> pixels;
    POINT cursor;
    bool left, right;
};
// Every record of the recording; empty when it does not open.
std::vector<Shown> PlayAll(const std::string& path);
// The stop reason of the recording's stream: "end", "truncated" or "zero-length".
std::string StreamEnd(const std::string& path);

// A screenshot of the area reduced as above.
std::vector<uint16_t> Reduced(const e2e::Picture& picture, const RECT& area);
inline uint16_t Reduce(uint32_t rgb) {
    return uint16_t((rgb >> 8 & 0xF800) | (rgb >> 5 & 0x07E0) | (rgb >> 3 & 0x1F));
}

// A file's size; 0 when it does not exist.
uint64_t FileSize(const std::string& path);

}  // namespace recorder_e2e
