#include "Canvas.h"

#include <algorithm>

#include "Font5x7.h"

uint16_t Rgb(int r, int g, int b) {
    return uint16_t((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

void Canvas::Put(int x, int y, uint16_t colour) {
    if (x >= clip_.left && x < clip_.right && y >= clip_.top && y < clip_.bottom)
        pixels_[size_t(y) * width_ + x] = colour;
}

void Canvas::Fill(const Rect& r, uint16_t colour) {
    const int left = std::max(r.left, clip_.left), right = std::min(r.right, clip_.right);
    for (int y = std::max(r.top, clip_.top); y < std::min(r.bottom, clip_.bottom); ++y)
        if (left < right)
            std::fill(&pixels_[size_t(y) * width_ + left], &pixels_[size_t(y) * width_ + right],
                      colour);
}

void Canvas::Gradient(const Rect& r, int top[3], int bottom[3], bool horizontal) {
    const int steps = std::max(1, horizontal ? r.right - r.left - 1 : r.bottom - r.top - 1);
    for (int i = 0; i <= steps; ++i) {
        int c[3];
        for (int k = 0; k < 3; ++k)
            c[k] = top[k] + (bottom[k] - top[k]) * i / steps;
        const Rect line = horizontal ? Rect{r.left + i, r.top, r.left + i + 1, r.bottom}
                                     : Rect{r.left, r.top + i, r.right, r.top + i + 1};
        Fill(line, Rgb(c[0], c[1], c[2]));
    }
}

void Canvas::Edge(const Rect& r, bool raised) {
    const uint16_t light = Rgb(255, 255, 255), shade = Rgb(128, 128, 128), dark = Rgb(0, 0, 0);
    const uint16_t topLeft = raised ? light : shade, bottomRight = raised ? dark : light;
    Fill({r.left, r.top, r.right, r.top + 1}, topLeft);
    Fill({r.left, r.top, r.left + 1, r.bottom}, topLeft);
    Fill({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    Fill({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    if (raised) {
        Fill({r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1}, shade);
        Fill({r.right - 2, r.top + 1, r.right - 1, r.bottom - 1}, shade);
    }
}

void Canvas::Text(int x, int y, const std::string& text, uint16_t colour, bool bold) {
    for (char c : text) {
        const uint8_t* rows = Glyph(c);
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (rows[row] & (0x10 >> col)) {
                    Put(x + col, y + row, colour);
                    if (bold)
                        Put(x + col + 1, y + row, colour);
                }
        x += bold ? 7 : 6;
    }
}

// The usual arrow: black outline, white inside, its tip at (x, y).
void Canvas::Pointer(int x, int y) {
    static const char* const kArrow[] = {
        "X",        "XX",       "X.X",       "X..X",       "X...X",       "X....X",
        "X.....X",  "X......X", "X.......X", "X........X", "X.....XXXXX", "X..X..X",
        "X.X X..X", "XX  X..X", "X    X..X", "     X..X",  "      XX"};
    for (int row = 0; row < int(sizeof kArrow / sizeof kArrow[0]); ++row)
        for (int col = 0; kArrow[row][col]; ++col) {
            const char c = kArrow[row][col];
            if (c != ' ')
                Put(x + col, y + row, c == 'X' ? Rgb(0, 0, 0) : Rgb(255, 255, 255));
        }
}
