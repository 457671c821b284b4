// Rectangles and points with the memory layout of the Windows RECT and POINT.
#pragma once
#include <cstdint>

struct Rect {
    int32_t left, top, right, bottom;
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

struct Point {
    int32_t x, y;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};
