// scaler-bench DEMO.vqd: the presenter's scaler beside stb_image_resize's box
// filter (floating point) on the same frames, natively:
//   - a whole 1920 x 1080 frame of the synthetic session onto 1366 x 768;
//   - the demo's records scaled from 800 x 600 onto 1024 x 768, each record
//     only where its changes reach the picture.
// Both read the recorded pixels and write 32-bit pixels. Prints figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb/stb_image_resize.h>
#pragma GCC diagnostic pop

#include "SyntheticSession.h"
#include "playback/ChangedAreas.h"
#include "playback/PictureScaler.h"
#include "recording/ContainerFormat.h"
#include "recording/RecordingFile.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

PixelPacking Rgb32() {
    PixelPacking p;
    p.Take(32, 0xFF0000, 0xFF00, 0xFF);
    return p;
}

// The resampler under test and the library, each writing `area` of a
// picture of `width` pixels a row.
struct Scalers {
    PictureScaler ours;
    std::vector<uint32_t> converted;  // the library's input: the source as 0x00RRGGBB
    int32_t sourceWidth = 0, sourceHeight = 0, width = 0, height = 0;

    Scalers(int32_t sw, int32_t sh, int32_t w, int32_t h)
        : converted(size_t(sw) * size_t(sh)),
          sourceWidth(sw),
          sourceHeight(sh),
          width(w),
          height(h) {
        ours.SetSizes(sw, sh, w, h);
    }
    void Ours(const PictureSource& source, const Rect& area, uint32_t* picture) {
        ours.Resample(source, {}, area, Rgb32(),
                      reinterpret_cast<uint8_t*>(picture + area.top * width + area.left),
                      ptrdiff_t(width) * 4);
    }
    // The library needs the source converted first: the rows of `changed`.
    void Convert(const PictureSource& source, const Rect& changed) {
        for (int32_t y = changed.top; y < changed.bottom; ++y)
            source.ReadRow(y, changed.left, changed.right,
                           &converted[size_t(y) * size_t(sourceWidth) + size_t(changed.left)]);
    }
    void Library(const Rect& area, uint32_t* picture) {
        stbir_resize_subpixel(
            converted.data(), sourceWidth, sourceHeight, sourceWidth * 4,
            picture + area.top * width + area.left, area.right - area.left, area.bottom - area.top,
            width * 4, STBIR_TYPE_UINT8, 4, STBIR_ALPHA_CHANNEL_NONE, 0, STBIR_EDGE_CLAMP,
            STBIR_EDGE_CLAMP, STBIR_FILTER_BOX, STBIR_FILTER_BOX, STBIR_COLORSPACE_LINEAR, nullptr,
            float(width) / float(sourceWidth), float(height) / float(sourceHeight),
            float(area.left), float(area.top));
    }
};

int LargestDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8)
            largest =
                std::max(largest, std::abs(int(a[i] >> shift & 255) - int(b[i] >> shift & 255)));
    return largest;
}

void WholeFrame() {
    FILE* raw = std::tmpfile();
    if (!raw || !WriteSyntheticFrames(raw, 1))
        return;
    std::rewind(raw);
    std::vector<uint8_t> info(kBitmapInfoSize, 0);
    vqd::WriteU32(&info[0], 40);
    vqd::WriteU32(&info[4], kSyntheticWidth);
    vqd::WriteU32(&info[8], uint32_t(-kSyntheticHeight));
    vqd::WriteU16(&info[12], 1);
    vqd::WriteU16(&info[14], 32);
    FrameImage image;
    image.SetFormat(info.data());
    const size_t read = std::fread(image.currentImage, 1, image.imageSize, raw);
    std::fclose(raw);
    if (read != image.imageSize)
        return;
    constexpr int32_t kWidth = 1366, kHeight = 768, kRounds = 20;
    PictureSource source;
    source.Attach(image, {0, 0, kSyntheticWidth, kSyntheticHeight});
    Scalers s(kSyntheticWidth, kSyntheticHeight, kWidth, kHeight);
    std::vector<uint32_t> ours(size_t(kWidth) * kHeight), library(ours.size());
    const Rect all{0, 0, kWidth, kHeight};
    Clock::duration oursTime{}, libraryTime{};
    for (int round = 0; round < kRounds; ++round) {
        Clock::time_point t0 = Clock::now();
        s.Ours(source, all, ours.data());
        Clock::time_point t1 = Clock::now();
        s.Convert(source, {0, 0, kSyntheticWidth, kSyntheticHeight});
        s.Library(all, library.data());
        Clock::time_point t2 = Clock::now();
        oursTime += t1 - t0;
        libraryTime += t2 - t1;
    }
    std::printf("a whole %dx%d frame onto %dx%d, ms per frame (%d rounds):\n", kSyntheticWidth,
                kSyntheticHeight, kWidth, kHeight, kRounds);
    std::printf("  our scaler (fixed point, exact area weights)  %8.2f\n",
                Milliseconds(oursTime) / kRounds);
    std::printf("  stb_image_resize box filter (floating point)  %8.2f   ratio %.2f\n",
                Milliseconds(libraryTime) / kRounds,
                Milliseconds(libraryTime) / Milliseconds(oursTime));
    std::printf("  largest channel difference between the two    %8d\n",
                LargestDifference(ours, library));
}

void DemoRecords(const char* demoPath) {
    RecordingFile demo;
    demo.Initialize();
    if (!demo.Open(demoPath, LockedFile::kRead)) {
        std::printf("cannot open %s\n", demoPath);
        return;
    }
    demo.SetQuickPlay(1);
    demo.Restart();
    constexpr int32_t kWidth = 1024, kHeight = 768;
    std::vector<uint32_t> ours(size_t(kWidth) * kHeight), library(ours.size());
    Clock::duration oursTime{}, libraryTime{};
    int records = 0;
    int64_t pixels = 0;
    std::unique_ptr<Scalers> s;
    while (demo.PlayStep()) {
        PictureSource source;
        source.Attach(demo.GetFrameImage(), demo.GetCaptureRect());
        if (!s)
            s = std::make_unique<Scalers>(source.Width(), source.Height(), kWidth, kHeight);
        ChangedAreas changes(source.Height());
        for (const Rect& dirty : demo.GetDirtyRects())
            changes.Add(source.FromImage(dirty));
        Clock::time_point t0 = Clock::now();
        for (int i = 0; i < changes.Count(); ++i)
            s->Ours(source, s->ours.Reach(changes.Area(i)), ours.data());
        Clock::time_point t1 = Clock::now();
        for (int i = 0; i < changes.Count(); ++i) {
            s->Convert(source, changes.Area(i));
            s->Library(s->ours.Reach(changes.Area(i)), library.data());
        }
        Clock::time_point t2 = Clock::now();
        oursTime += t1 - t0;
        libraryTime += t2 - t1;
        for (int i = 0; i < changes.Count(); ++i) {
            const Rect r = s->ours.Reach(changes.Area(i));
            pixels += int64_t(r.right - r.left) * (r.bottom - r.top);
        }
        ++records;
    }
    std::printf(
        "the demo's %d records, 800x600 onto %dx%d where their changes reach "
        "(%.0f picture pixels a record), microseconds per record:\n",
        records, kWidth, kHeight, double(pixels) / records);
    std::printf("  our scaler                                    %8.1f\n",
                1000 * Milliseconds(oursTime) / records);
    std::printf("  stb_image_resize box filter                   %8.1f   ratio %.2f\n",
                1000 * Milliseconds(libraryTime) / records,
                Milliseconds(libraryTime) / Milliseconds(oursTime));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: scaler-bench DEMO.vqd\n");
        return 2;
    }
    WholeFrame();
    DemoRecords(argv[1]);
    return 0;
}
