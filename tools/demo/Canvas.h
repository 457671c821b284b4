// A 16-bit (565) picture with the few drawing operations the demo desktop
// needs: filled and shaded rectangles, raised and sunken edges, text, the
// mouse pointer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "recording/Geometry.h"

uint16_t Rgb(int r, int g, int b);

class Canvas {
  public:
    Canvas(int width, int height)
        : width_(width), height_(height), pixels_(size_t(width) * height) {}
    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(pixels_.data()); }
    // Drawing is clipped to this rectangle (the whole picture by default).
    void SetClip(const Rect& clip) { clip_ = clip; }
    void ResetClip() { clip_ = Rect{0, 0, width_, height_}; }

    void Fill(const Rect& r, uint16_t colour);
    // From the top colour to the bottom one (or left to right).
    void Gradient(const Rect& r, int top[3], int bottom[3], bool horizontal = false);
    // A raised edge (light top-left, dark bottom-right) or a sunken one.
    void Edge(const Rect& r, bool raised);
    void Text(int x, int y, const std::string& text, uint16_t colour, bool bold = false);
    static int TextWidth(const std::string& text, bool bold = false) {
        return int(text.size()) * (bold ? 7 : 6);
    }
    void Pointer(int x, int y);

  private:
    void Put(int x, int y, uint16_t colour);
    int width_, height_;
    Rect clip_{0, 0, width_, height_};
    std::vector<uint16_t> pixels_;
};
