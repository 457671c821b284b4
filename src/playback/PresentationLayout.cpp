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
    out.area = d;

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
    out.wholePicture = p;
    p = Intersect(p, t);
    if (p.IsEmpty())  // no picture: the borders fill the window, and nothing beyond it
        p = {t.left, t.top, t.left, t.top};
    const int32_t pw = Width(p), ph = Height(p);
    p = Intersect(p, d);
    if (p.IsEmpty())
        p = {d.left, d.top, d.left, d.top};
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
