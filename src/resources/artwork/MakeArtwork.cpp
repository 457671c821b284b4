// Draws the program's pictures: the icon (16, 32 and 48 pixels), the About
// picture (400 x 200) and the click indicator (three 32 x 32 cells).
// Usage: MakeArtwork <output folder>
#include "ImageFiles.h"

#include <cstdio>

namespace {
const double pi = 3.14159265358979323846;

// The emblem: a monitor whose screen shows a play sign, in a box of the given
// size whose top-left corner is (left, top).
void DrawEmblem(Canvas& canvas, double left, double top, double size) {
    auto at = [&](double fx, double fy, double fx2, double fy2, double r) {
        return RoundedRect(left + fx * size, top + fy * size, left + fx2 * size, top + fy2 * size,
                           r * size);
    };
    Colour frame = Rgb(31, 42, 68);
    canvas.Fill(at(0.04, 0.10, 0.96, 0.74, 0.08), frame);
    Colour glowTop = Rgb(46, 196, 196), glowBottom = Rgb(16, 92, 138);
    canvas.Fill(at(0.12, 0.18, 0.88, 0.66, 0.03), [=](double, double y) {
        return Mix(glowTop, glowBottom, (y - (top + 0.18 * size)) / (0.48 * size));
    });
    canvas.Fill(Triangle(left + 0.42 * size, top + 0.28 * size, left + 0.42 * size,
                         top + 0.56 * size, left + 0.64 * size, top + 0.42 * size),
                Rgb(255, 255, 255));
    canvas.Fill(at(0.43, 0.73, 0.57, 0.85, 0.0), frame);
    canvas.Fill(at(0.26, 0.84, 0.74, 0.92, 0.04), frame);
}

Canvas Icon(int size) {
    Canvas canvas(size, size);
    DrawEmblem(canvas, 0, 0, size);
    return canvas;
}

// Dark gradient with the emblem on the left and room for the version text at
// (170, 50); a light band at the bottom carries the copyright line and the link.
Canvas AboutPicture() {
    Canvas canvas(400, 200);
    Colour night = Rgb(14, 26, 51), sea = Rgb(18, 73, 107);
    canvas.Fill(RoundedRect(0, 0, 400, 200, 0),
                [=](double, double y) { return Mix(night, sea, y / 170.0); });
    for (int i = 0; i < 5; ++i)
        canvas.Fill(Ring(400, 0, 60.0 + 38 * i, 62.0 + 38 * i), Rgb(120, 210, 220), 0.18);
    canvas.Fill(RoundedRect(0, 168, 400, 171, 0), Rgb(46, 196, 196));
    canvas.Fill(RoundedRect(0, 171, 400, 200, 0), Rgb(242, 244, 247));
    DrawEmblem(canvas, 28, 22, 124);
    return canvas;
}

// The click indicator: cell 0 a grey mouse tilted to the upper left, cell 1
// its left button in red, cell 2 its right button in red; magenta elsewhere.
Canvas ClickMarks() {
    const double cx = 16.0, cy = 18.5, across = 10.5, along = 13.5, turn = -35.0 * pi / 180.0;
    auto local = [=](double x, double y, double& u, double& v) {
        u = (x - cx) * std::cos(turn) + (y - cy) * std::sin(turn);
        v = -(x - cx) * std::sin(turn) + (y - cy) * std::cos(turn);
    };
    Shape body = TurnedEllipse(cx, cy, across, along, turn);
    auto inside = [&](int x, int y) { return body(x + 0.5, y + 0.5); };
    auto edge = [&](int x, int y) {
        return inside(x, y) &&
               (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1));
    };
    auto button = [&](int x, int y, int side) {
        double u, v;
        local(x + 0.5, y + 0.5, u, v);
        return inside(x, y) && !edge(x, y) && v < -0.25 * along && u * side > 0.6;
    };
    auto seam = [&](int x, int y) {
        double u, v;
        local(x + 0.5, y + 0.5, u, v);
        return inside(x, y) &&
               ((v < -0.25 * along && std::fabs(u) <= 0.6) || std::fabs(v + 0.25 * along) <= 0.5);
    };

    Canvas canvas(96, 32);
    canvas.Fill(RoundedRect(0, 0, 96, 32, 0), Rgb(255, 0, 255), 1.0, false);
    auto cellPixels = [&](int cell, const std::function<bool(int, int)>& test) {
        return [=](double x, double y) {
            int px = static_cast<int>(x) - cell * 32, py = static_cast<int>(y);
            return px >= 0 && px < 32 && test(px, py);
        };
    };
    canvas.Fill(cellPixels(0, inside), Rgb(192, 192, 192), 1.0, false);
    canvas.Fill(cellPixels(0, [&](int x, int y) { return edge(x, y) || seam(x, y); }), Rgb(0, 0, 0),
                1.0, false);
    canvas.Fill(cellPixels(1, [&](int x, int y) { return button(x, y, -1); }), Rgb(255, 0, 0), 1.0,
                false);
    canvas.Fill(cellPixels(2, [&](int x, int y) { return button(x, y, 1); }), Rgb(255, 0, 0), 1.0,
                false);
    return canvas;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeArtwork <output folder>\n");
        return 2;
    }
    std::string folder = argv[1];
    bool written = WriteIconFile(folder + "/saver.ico", {Icon(16), Icon(32), Icon(48)}) &&
                   WriteBitmapFile(folder + "/about.bmp", AboutPicture()) &&
                   WriteBitmapFile(folder + "/clickmarks.bmp", ClickMarks());
    if (!written)
        std::fprintf(stderr, "MakeArtwork: cannot write into %s\n", folder.c_str());
    return written ? 0 : 1;
}
