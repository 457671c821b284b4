#pragma once
// A small RGBA picture with shapes painted into it, for the program's artwork.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

struct Colour {
    double r, g, b;
};

inline Colour Mix(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline Colour Rgb(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0};
}

// Whether the point (x, y), in pixels, lies inside a shape.
using Shape = std::function<bool(double x, double y)>;
// The colour of a shape at a point, for gradients.
using Paint = std::function<Colour(double x, double y)>;

inline Shape RoundedRect(double x0, double y0, double x1, double y1, double radius) {
    return [=](double x, double y) {
        double dx = std::max({x0 + radius - x, 0.0, x - (x1 - radius)});
        double dy = std::max({y0 + radius - y, 0.0, y - (y1 - radius)});
        return x >= x0 && x <= x1 && y >= y0 && y <= y1 && dx * dx + dy * dy <= radius * radius;
    };
}

inline Shape Triangle(double ax, double ay, double bx, double by, double cx, double cy) {
    return [=](double x, double y) {
        auto side = [&](double px, double py, double qx, double qy) {
            return (qx - px) * (y - py) - (qy - py) * (x - px);
        };
        double s1 = side(ax, ay, bx, by), s2 = side(bx, by, cx, cy), s3 = side(cx, cy, ax, ay);
        return (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
    };
}

// An ellipse with semi-axes a (across) and b (along), turned by angle radians.
inline Shape TurnedEllipse(double cx, double cy, double a, double b, double angle) {
    return [=](double x, double y) {
        double u = (x - cx) * std::cos(angle) + (y - cy) * std::sin(angle);
        double v = -(x - cx) * std::sin(angle) + (y - cy) * std::cos(angle);
        return (u * u) / (a * a) + (v * v) / (b * b) <= 1.0;
    };
}

inline Shape Ring(double cx, double cy, double inner, double outer) {
    return [=](double x, double y) {
        double d = std::hypot(x - cx, y - cy);
        return d >= inner && d <= outer;
    };
}

class Canvas {
  public:
    Canvas(int width, int height)
        : width(width),
          height(height),
          colour(width * height, Colour{0, 0, 0}),
          alpha(width * height, 0.0) {}

    // Paints the shape; with smoothing, each pixel is covered by the share of
    // its 4 x 4 sample points inside the shape, otherwise by its centre alone.
    void Fill(const Shape& shape, const Paint& paint, double opacity = 1.0, bool smooth = true) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                double cover =
                    smooth ? Coverage(shape, x, y) : (shape(x + 0.5, y + 0.5) ? 1.0 : 0.0);
                if (cover <= 0.0)
                    continue;
                double a = cover * opacity;
                int i = y * width + x;
                colour[i] = Mix(colour[i], paint(x + 0.5, y + 0.5), alpha[i] > 0.0 ? a : 1.0);
                alpha[i] = alpha[i] + a * (1.0 - alpha[i]);
            }
    }

    void Fill(const Shape& shape, Colour solid, double opacity = 1.0, bool smooth = true) {
        Fill(
            shape, [solid](double, double) { return solid; }, opacity, smooth);
    }

    int Width() const { return width; }
    int Height() const { return height; }
    uint8_t Red(int x, int y) const { return Byte(colour[y * width + x].r); }
    uint8_t Green(int x, int y) const { return Byte(colour[y * width + x].g); }
    uint8_t Blue(int x, int y) const { return Byte(colour[y * width + x].b); }
    uint8_t Alpha(int x, int y) const { return Byte(alpha[y * width + x]); }

  private:
    static double Coverage(const Shape& shape, int x, int y) {
        int inside = 0;
        for (int sy = 0; sy < 4; ++sy)
            for (int sx = 0; sx < 4; ++sx)
                inside += shape(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4) ? 1 : 0;
        return inside / 16.0;
    }

    static uint8_t Byte(double v) {
        return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
    }

    int width, height;
    std::vector<Colour> colour;
    std::vector<double> alpha;
};
