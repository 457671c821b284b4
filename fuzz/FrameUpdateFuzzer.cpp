// FrameUpdates applied to a picture in an arbitrary state. The first four
// bytes choose that state (none, or depth, width, height and row order); the
// rest is the FrameUpdate.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "recording/ContainerFormat.h"
#include "recording/FrameUpdate.h"
#include "recording/Region.h"

namespace {

struct RegionSink : vqd::FrameUpdateSink {
    Region dirty;
    void MarkDirty(const Rect& area) override { dirty.AddRect(area); }
    void SetCaptureRect(const Rect&) override {}
    void SetCursor(const Point&, uint16_t, uint16_t) override {}
};

void StartingPicture(const uint8_t* choice, FrameImage& image) {
    if (choice[0] & 0x80)
        return;  // no picture yet
    uint8_t info[kBitmapInfoSize] = {};
    vqd::WriteU32(info, 40);
    vqd::WriteU32(info + 4, 1 + choice[1] % 64);
    const int32_t height = 1 + choice[2] % 64;
    vqd::WriteU32(info + 8, uint32_t(choice[3] & 1 ? -height : height));
    vqd::WriteU16(info + 14, uint16_t(8 * (1 + choice[0] % 4)));
    if (!image.SetFormat(info))
        std::abort();
    for (uint32_t i = 0; i < image.imageSize; ++i)
        image.currentImage[i] = image.referenceImage[i] = uint8_t(i * 7);
}

// Bands by top, spans by left, nothing empty or overlapping.
void CheckBanded(const std::vector<Rect>& rects) {
    for (size_t i = 0; i < rects.size(); ++i) {
        if (rects[i].IsEmpty())
            std::abort();
        if (i == 0)
            continue;
        const Rect& a = rects[i - 1];
        const Rect& b = rects[i];
        const bool sameBand = a.top == b.top && a.bottom == b.bottom;
        if (sameBand ? a.right >= b.left : a.bottom > b.top)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    FrameImage image;
    StartingPicture(data, image);
    RegionSink sink;
    if (!sink.dirty.Create())
        std::abort();
    vqd::ApplyFrameUpdate(data + 4, uint32_t(size - 4), image, sink);
    if (image.HasPicture() &&
        std::memcmp(image.currentImage, image.referenceImage, image.imageSize) != 0)
        std::abort();  // outside a MovedRuns command both pictures agree
    std::vector<Rect> rects;
    if (!sink.dirty.AppendRects(rects))
        std::abort();
    CheckBanded(rects);
    sink.dirty.IntersectRect(Rect{3, 2, 40, 30});
    rects.clear();
    sink.dirty.AppendRects(rects);
    CheckBanded(rects);
    image.Clear();
    return 0;
}
