#include "playback/MonitorLayout.h"

#include <algorithm>

namespace {

Rect Intersect(const Rect& a, const Rect& b) {
    const Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? Rect{} : r;
}

PresentationLayout Black(const Rect& area) {
    PresentationLayout l;
    l.visible = true;
    l.area = area;
    l.picture = {area.left, area.top, area.left, area.top};
    l.borderCount = 1;
    l.borders[0] = area;
    return l;
}

}  // namespace

MonitorLayouts LayOutMonitors(const MonitorArrangement& monitors, const Rect& client,
                              Point viewportOrigin, const Rect& captureRect, bool scaleToFit,
                              bool everyMonitor) {
    MonitorLayouts out;
    for (int i = 0; i < std::min(monitors.count, kMostMonitors); ++i) {
        const Rect area = Intersect(monitors.areas[i], client);
        if (area.IsEmpty())
            continue;
        out.monitors[out.count] = i;
        out.layouts[out.count++] =
            everyMonitor || i == monitors.primary
                ? LayOutPicture(area, viewportOrigin, captureRect, scaleToFit)
                : Black(area);
    }
    if (out.count == 0) {
        const PresentationLayout whole =
            LayOutPicture(client, viewportOrigin, captureRect, scaleToFit);
        if (whole.visible)
            out.layouts[out.count++] = whole;
    }
    return out;
}
