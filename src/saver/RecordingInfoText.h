#pragma once
#include <cstdint>
#include <string>

// The length of a recording as "[D days ]HH:MM:SS": days without leading
// zeros (the word stays "days" for one day too), then the hours of the day,
// the minutes and the seconds with two digits each.
std::string RecordLengthText(uint32_t seconds);
// The base frame rate as "N frames/sec".
std::string FrameRateText(int32_t framesPerSecond);
// How many recordings a folder holds: "1 recording", "N recordings".
std::string RecordingCountText(int recordings);
