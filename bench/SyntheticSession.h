// A 1920 x 1080, 32-bit desktop-like session for the decode benchmark:
// a window dragged about, a document scrolling, text typed, a clock ticking.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

constexpr int kSyntheticWidth = 1920, kSyntheticHeight = 1080;

// Writes `frames` frames at 10 per second to path; false when it cannot.
bool WriteSyntheticSession(const std::string& path, int frames);
// Writes the same frames as raw top-down 32-bit BGRX pixels.
bool WriteSyntheticFrames(FILE* out, int frames);
