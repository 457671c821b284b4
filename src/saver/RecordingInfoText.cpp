#include "saver/RecordingInfoText.h"

#include <cstdio>

std::string RecordLengthText(uint32_t seconds) {
    const uint32_t secondsPerDay = 86400;
    const uint32_t days = seconds / secondsPerDay;
    const uint32_t ofDay = seconds % secondsPerDay;
    char text[40] = {};
    if (days > 0)
        std::snprintf(text, sizeof text, "%u days %02u:%02u:%02u", days, ofDay / 3600,
                      ofDay / 60 % 60, ofDay % 60);
    else
        std::snprintf(text, sizeof text, "%02u:%02u:%02u", ofDay / 3600, ofDay / 60 % 60,
                      ofDay % 60);
    return text;
}

std::string FrameRateText(int32_t framesPerSecond) {
    char text[32] = {};
    std::snprintf(text, sizeof text, "%d frames/sec", static_cast<int>(framesPerSecond));
    return text;
}

std::string RecordingCountText(int recordings) {
    char text[32] = {};
    std::snprintf(text, sizeof text, recordings == 1 ? "%d recording" : "%d recordings",
                  recordings);
    return text;
}
