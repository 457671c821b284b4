// playback-bench: the real saver under Wine, measured from outside through
// the screen. Prints figures; judges nothing.
//   playback-bench SAVER.scr FLOOR.exe   first frame, pacing and tick rates
//   playback-bench --static OUT.vqd      writes a recording that never changes
//   playback-bench --clips FOLDER        writes three recordings of three records each
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "FrameUpdateBuilder.h"
#include "e2e/Registry.h"
#include "e2e/TestProcess.h"
#include "e2e/WindowWait.h"
#include "recording/RecordingEncoder.h"

namespace {

const char kSettingsKey[] = "Software\\Quorvane\\Screen Saver";
constexpr int kWidth = 1024, kHeight = 768;
const Rect kCapture{112, 84, 912, 684};        // shown at natural size where it lies
constexpr int kMarkerX = 140, kMarkerY = 120;  // inside the marker square

// Well-separated marker colours (124 of them, none black), as 565 pixels and
// as the screen shows them.
uint16_t MarkerPixel(int k) {
    k = k % 124 + 1;
    const int r = (k % 5) * 7, g = (k / 5 % 5) * 15, b = (k / 25 % 5) * 7;
    return uint16_t(r << 11 | g << 5 | b);
}
uint32_t MarkerColour(int k) {
    const uint16_t v = MarkerPixel(k);
    const uint32_t r = v >> 11 & 31, g = v >> 5 & 63, b = v & 31;
    return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

// Records of a desktop-like picture in which only a 40 x 40 marker square
// changes, to a new colour each time, every delayMs.
std::string WriteMarkerRecording(const std::string& path, int records, uint32_t delayMs,
                                 uint32_t rate) {
    const Bytes info = BitmapInfo(kWidth, -kHeight, 16);
    std::vector<uint16_t> pixels(size_t(kWidth) * kHeight, 0x4208);
    vqd::RecordingEncoder encoder;
    vqd::RecordingInfo rates;
    rates.frameRate = rate;
    rates.secondaryRate = rate == 10 ? 50 : rate;
    encoder.Create(path.c_str(), rates);
    for (int k = 0; k < records; ++k) {
        for (int y = 100; y < 140; ++y)
            for (int x = 120; x < 160; ++x)
                pixels[size_t(y) * kWidth + x] = MarkerPixel(k);
        encoder.AddFrame(
            {info.data(), reinterpret_cast<const uint8_t*>(pixels.data()), kCapture, {0, 0}, 0, 0},
            uint32_t(k) * delayMs);
    }
    encoder.Finish();
    return path;
}

bool Near(uint32_t a, uint32_t b) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int(a >> shift & 255) - int(b >> shift & 255)) > 10)
            return false;
    return true;
}

uint32_t ScreenPixel(HDC screen, int x, int y) {
    const COLORREF c = GetPixel(screen, x, y);
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

void StoreSettings(const std::string& path, DWORD quickPlay) {
    e2e::WriteString(kSettingsKey, "Path", path);
    e2e::WriteDword(kSettingsKey, "Auto repeat", 0);
    e2e::WriteDword(kSettingsKey, "Quick play", quickPlay);
    e2e::WriteDword(kSettingsKey, "Draw mouse clicks", 0);
    e2e::WriteDword(kSettingsKey, "Scale to fit screen", 0);
}

// When each marker first showed, in seconds from the program's start; -1 for
// markers never seen. Polls the marker pixel until the last one shows.
std::vector<double> WatchMarkers(const std::string& program, const std::string& arguments,
                                 int records, double limitSeconds) {
    std::vector<double> seen(size_t(records), -1.0);
    e2e::TestProcess saver;
    HDC screen = GetDC(nullptr);
    // The last program's window may linger a moment after it was ended: wait
    // until no marker of this run shows.
    auto showsMarker = [&] {
        const uint32_t pixel = ScreenPixel(screen, kMarkerX, kMarkerY);
        for (int k = 0; k < records; ++k)
            if (Near(pixel, MarkerColour(k)))
                return true;
        return false;
    };
    for (int wait = 0; wait < 300 && showsMarker(); ++wait)
        Sleep(10);
    const LARGE_INTEGER start = Now();
    saver.Start(program, arguments);
    int next = 0;
    while (next < records && Seconds(start, Now()) < limitSeconds) {
        const uint32_t pixel = ScreenPixel(screen, kMarkerX, kMarkerY);
        // Colours repeat after 124 markers: look ahead less than that, but far
        // enough that a watcher kept off the processor for a while does not
        // lose track.
        for (int k = next; k < records && k < next + 123; ++k)
            if (Near(pixel, MarkerColour(k))) {
                seen[size_t(k)] = Seconds(start, Now());
                next = k + 1;
                break;
            }
        Sleep(1);  // leave the processor to the saver between looks
    }
    ReleaseDC(nullptr, screen);
    saver.Kill();
    return seen;
}

void ReportPacing(const std::string& saver, const std::string& recording) {
    const int records = 40;
    const uint32_t delay = 100;
    StoreSettings(e2e::WindowsPath(WriteMarkerRecording(recording, records, delay, 10)), 0);
    const std::vector<double> seen = WatchMarkers(saver, "/s", records, 30);
    if (seen[0] < 0) {
        std::printf("pacing: the first picture never showed\n");
        return;
    }
    // The first record is due at once, whatever its delay; the schedule of the
    // others counts from the second one.
    double sum = 0, worst = 0;
    int counted = 0, missed = 0;
    for (int k = 2; k < records; ++k) {
        if (seen[size_t(k)] < 0 || seen[1] < 0) {
            ++missed;
            continue;
        }
        const double lateness = (seen[size_t(k)] - seen[1]) * 1000 - double(k - 1) * delay;
        sum += lateness;
        worst = std::max(worst, lateness);
        ++counted;
    }
    std::printf(
        "pacing against the recorded delays (%d records of %u ms, timers 10 and 50 per second): "
        "mean lateness %.1f ms, worst %.1f ms, %d not seen\n",
        records, delay, counted ? sum / counted : 0.0, worst, missed);
}

void ReportQuickPlay(const std::string& saver, const std::string& recording, uint32_t rate) {
    const int records = 120;
    StoreSettings(e2e::WindowsPath(WriteMarkerRecording(recording, records, 100, rate)), 1);
    const std::vector<double> seen = WatchMarkers(saver, "/s", records, 60);
    // A marker may show for less time than a look takes: count from the first
    // one seen.
    const int first =
        int(std::find_if(seen.begin(), seen.end(), [](double t) { return t >= 0; }) - seen.begin());
    if (first >= records - 1 || seen[size_t(records - 1)] < 0) {
        std::printf("quick play at timer rate %u: the last picture never showed\n", rate);
        return;
    }
    const double rateSeen =
        (records - 1 - first) / (seen[size_t(records - 1)] - seen[size_t(first)]);
    std::printf(
        "quick play, timers at %u and %u per second: %.0f ticks/s, each one painting (%.0f "
        "paints/s)\n",
        rate, rate == 10 ? 50 : rate, rateSeen, rateSeen);
}

// The median of five starts: the saver's first painted frame, and the floor
// program's, both seen at the marker pixel.
void ReportFirstFrames(const std::string& saver, const std::string& floor,
                       const std::string& recording) {
    StoreSettings(e2e::WindowsPath(WriteMarkerRecording(recording, 1, 100, 10)), 0);
    const uint32_t c = MarkerColour(0);
    char colour[16];
    std::snprintf(colour, sizeof colour, "%06x", (c & 0xFF) << 16 | (c & 0xFF00) | c >> 16);
    auto median = [](const std::string& program, const std::string& arguments) {
        std::vector<double> times;
        for (int run = 0; run < 5; ++run) {
            times.push_back(WatchMarkers(program, arguments, 1, 10)[0] * 1000);
        }
        std::sort(times.begin(), times.end());
        return times[2];
    };
    const double saverMs = median(saver, "/s"), floorMs = median(floor, colour);
    std::printf(
        "first painted frame after process start (median of 5): saver %.0f ms, floor program "
        "%.0f ms, ratio %.2f\n",
        saverMs, floorMs, saverMs / floorMs);
}

// A recording whose picture never changes after the first record: one
// record a second for a minute.
void WriteStaticRecording(const std::string& path) {
    const Bytes info = BitmapInfo(kWidth, -kHeight, 16);
    const std::vector<uint16_t> pixels(size_t(kWidth) * kHeight, 0x4208);
    vqd::RecordingEncoder encoder;
    encoder.Create(path.c_str(), {});
    for (uint32_t k = 0; k < 60; ++k)
        encoder.AddFrame(
            {info.data(), reinterpret_cast<const uint8_t*>(pixels.data()), kCapture, {0, 0}, 0, 0},
            k * 1000);
    encoder.Finish();
}

// Short recordings for a folder that switches from one to the next many
// times a second: three records 20 ms apart, at 50 frames a second.
void WriteClips(const std::string& folder) {
    const Bytes info = BitmapInfo(kWidth, -kHeight, 16);
    for (int clip = 0; clip < 3; ++clip) {
        std::vector<uint16_t> pixels(size_t(kWidth) * kHeight, uint16_t(0x1082 * (clip + 3)));
        vqd::RecordingEncoder encoder;
        vqd::RecordingInfo rates;
        rates.frameRate = rates.secondaryRate = 50;
        encoder.Create((folder + "\\clip" + std::to_string(clip) + ".vqd").c_str(), rates);
        for (uint32_t k = 0; k < 3; ++k) {
            pixels[k] = uint16_t(0xFFFF - k);
            encoder.AddFrame({info.data(),
                              reinterpret_cast<const uint8_t*>(pixels.data()),
                              kCapture,
                              {0, 0},
                              0,
                              0},
                             k * 20);
        }
        encoder.Finish();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--static") {
        WriteStaticRecording(argv[2]);
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--clips") {
        WriteClips(argv[2]);
        return 0;
    }
    if (argc != 3) {
        std::fprintf(
            stderr,
            "usage: playback-bench SAVER.scr FLOOR.exe | --static OUT.vqd | --clips FOLDER\n");
        return 2;
    }
    const std::string saver = e2e::WindowsPath(argv[1]);
    const std::string recording = TempPath("bench-markers.vqd");
    ReportFirstFrames(saver, e2e::WindowsPath(argv[2]), TempPath("bench-first-frame.vqd"));
    ReportPacing(saver, recording);
    ReportQuickPlay(saver, recording, 10);
    ReportQuickPlay(saver, recording, 1000);
    e2e::DeleteKeyTree(kSettingsKey);
    return 0;
}
