#include "recorder/CaptureRegion.h"

std::string RectText(const Rect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

std::string RegionProblem(const Rect& region, const Rect& screen) {
    if (region.IsEmpty())
        return "The region " + RectText(region) + " is empty: it needs a width and a height.";
    if (region.left < screen.left || region.top < screen.top || region.right > screen.right ||
        region.bottom > screen.bottom)
        return "The region " + RectText(region) + " is not on the screen " + RectText(screen) + ".";
    return {};
}
