#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// A picture taken from the screen: rows top-down, pixels 0x00RRGGBB.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The whole screen, an area of it, or the screen area a window covers.
Picture CaptureScreen();
Picture CaptureArea(const RECT& area);
Picture CaptureWindow(HWND window);
bool SavePng(const Picture& picture, const std::string& path);

}  // namespace e2e
