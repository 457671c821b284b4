// A 1920 x 1080, 32-bit desktop-like session for the decode benchmark:
// a window dragged about, a document scrolling, text typed, a clock ticking.
#pragma once
#include <cstdint>
#include <string>

// Writes `frames` frames at 10 per second to path; false when it cannot.
bool WriteSyntheticSession(const std::string& path, int frames);
