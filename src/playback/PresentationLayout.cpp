#include "playback/PresentationLayout.h"

#include <algorithm>
#include <cmath>

namespace {

int32_t Width(const Rect& r) {
    return r.right - r.left;
}
int32_t Height(const Rect& r) {
    return r.bottom - r.top;
}

Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? Rect{} : r;
}

Rect Union(const Rect& a, const Rect& b) {
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

int32_t Scaled(int32_t v, float s) {
    return int32_t(double(v) * double(s));
}

// The scale that fits the capture into the window, or false when it fits as it is.
bool FitScale(int32_t fw, int32_t fh, int32_t rw, int32_t rh, float& s) {
    const double a = double(float(fw)) / double(float(rw));
    const double b = double(float(fh)) / double(float(rh));
    if (b < a) {  // the width limits
        if (rw == fw)
            return false;
        s = float(double(rw) / double(fw));
    } else {  // the height limits, ties included
        if (fh == rh)
            return false;
        s = float(double(rh) / double(fh));
    }
    return true;
}

}  // namespace

PresentationLayout LayOutPicture(const Rect& client, Point viewportOrigin, const Rect& captureRect,
                                 bool scaleToFit) {
    PresentationLayout out;
    const Rect& d = client;
    Rect t{d.left + viewportOrigin.x, d.top + viewportOrigin.y, d.right + viewportOrigin.x,
           d.bottom + viewportOrigin.y};
    const int32_t rw = Width(t), rh = Height(t);
    t = Union(t, d);
    if (Width(d) <= 0 || Height(d) <= 0)
        return out;
    out.visible = true;

    const int32_t fw = std::max(0, Width(captureRect)), fh = std::max(0, Height(captureRect));
    int32_t sw = fw, sh = fh;
    if (scaleToFit && fw > 0 && fh > 0 && FitScale(fw, fh, rw, rh, out.scale)) {
        out.scaled = true;
        sw = Scaled(captureRect.right, out.scale) - Scaled(captureRect.left, out.scale);
        sh = Scaled(captureRect.bottom, out.scale) - Scaled(captureRect.top, out.scale);
    }

    Rect p;
    p.left = rw > sw ? t.left + (rw - sw) / 2 : t.left;
    p.top = rh > sh ? t.top + (rh - sh) / 2 : t.top;
    p.right = p.left + sw;
    p.bottom = p.top + sh;
    p = Intersect(p, t);
    if (p.IsEmpty())  // no picture: the borders fill the window, and nothing beyond it
        p = {t.left, t.top, t.left, t.top};
    const int32_t pw = Width(p), ph = Height(p);

    Rect s{0, 0, pw, ph};
    if (p.left < d.left) {
        s.left = d.left - p.left;
        p.left = d.left;
    }
    if (p.top < d.top) {
        s.top = d.top - p.top;
        p.top = d.top;
    }
    if (p.right > d.right) {
        s.right -= p.right - d.right;
        p.right = d.right;
    }
    if (p.bottom > d.bottom) {
        s.bottom -= p.bottom - d.bottom;
        p.bottom = d.bottom;
    }
    if (out.scaled) {
        const double inverse = 1.0 / double(out.scale);
        s = {int32_t(s.left * inverse), int32_t(s.top * inverse), int32_t(s.right * inverse),
             int32_t(s.bottom * inverse)};
    }
    out.source = Intersect(s, Rect{0, 0, fw, fh});
    out.picture = p;

    if (Width(d) > pw) {
        out.borders[out.borderCount++] = {d.left, d.top, p.left, d.bottom};
        out.borders[out.borderCount++] = {p.right, d.top, d.right, d.bottom};
    }
    if (Height(d) > ph) {
        out.borders[out.borderCount++] = {d.left, d.top, d.right, p.top};
        out.borders[out.borderCount++] = {d.left, p.bottom, d.right, d.bottom};
    }
    return out;
}

bool MapToScreen(const PresentationLayout& l, const Rect& pictureRect, Rect& source, Rect& screen) {
    source = Intersect(pictureRect, l.source);
    if (!l.visible || source.IsEmpty())
        return false;
    const Rect& p = l.picture;
    if (!l.scaled) {
        const int32_t dx = p.left - l.source.left, dy = p.top - l.source.top;
        screen = {source.left + dx, source.top + dy, source.right + dx, source.bottom + dy};
        return true;
    }
    // The ratios the whole picture's blit stretches by.
    const double sx = double(Width(p)) / double(Width(l.source));
    const double sy = double(Height(p)) / double(Height(l.source));
    // Left and top edges round down, right and bottom edges up; an edge that
    // falls within a hair of a whole pixel takes the pixel on the outer side
    // too, whichever way the floating-point unit rounds the product.
    const auto edge = [](int32_t origin, int32_t v, int32_t from, double s, bool up) {
        constexpr double kHair = 1e-6;
        const double at = double(v - from) * s;
        return origin + int32_t(up ? std::ceil(at + kHair) : std::floor(at - kHair));
    };
    screen = Intersect({edge(p.left, source.left, l.source.left, sx, false),
                        edge(p.top, source.top, l.source.top, sy, false),
                        edge(p.left, source.right, l.source.left, sx, true),
                        edge(p.top, source.bottom, l.source.top, sy, true)},
                       p);
    return !screen.IsEmpty();
}
