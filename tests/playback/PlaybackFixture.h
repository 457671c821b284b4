// What the end-to-end playback tests share: the settings they store, the
// recordings they write, the picture the saver's decoder makes of them, and
// a fixture that plays one in the real saver.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "FrameUpdateBuilder.h"
#include "SaverProgram.h"
#include "e2e/Screenshot.h"
#include "playback/PresentationLayout.h"
#include "recording/RecordingEncoder.h"

namespace playback_e2e {

extern const char kSettingsKey[];
constexpr int kImageWidth = 1024, kImageHeight = 768;

struct Settings {
    std::string path;
    DWORD scale = 0;
    DWORD clicks = 0;
    DWORD repeat = 0;
    DWORD every = 0;
    DWORD quick = 1;
};

void Store(const Settings& s);

// A short recording whose last frame is a picture with distinct colours in
// every pixel of the capture rectangle (or of every 16 x 16 tile), with the
// pointer at (400, 300) and the given buttons held at its end.
struct TestRecording {
    uint16_t bitCount = 32;
    bool topDown = true;
    bool tiled = false;
    Rect capture{112, 84, 912, 684};
    uint8_t leftAtEnd = 0;
};

std::string Write(const TestRecording& t, const std::string& name, uint32_t frames = 4,
                  const vqd::RecordingInfo& rates = {});

// The picture after the last record, as the saver's decoder makes it.
struct Decoded {
    RecordingFile file;
    explicit Decoded(const std::string& path);
    // 0xRRGGBB of the pixel at image column x of memory row y.
    uint32_t Colour(int x, int row) const;
};

bool Near(uint32_t a, uint32_t b, int tolerance);

// How far each channel may be off on the screen: a 16-bit picture, or any
// picture on a 16-bit display, is 565 somewhere on the way.
int Tolerance(uint16_t recordingBits);

// Counts the pixels of the layout's picture whose colour differs from the recording's.
int Differences(const e2e::Picture& screen, const Decoded& decoded, const PresentationLayout& l,
                const Rect& capture, int tolerance);

class PlaybackE2E : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the saver and waits until its window shows what `settled` accepts.
    e2e::Picture Play(const Settings& settings,
                      const std::function<bool(const e2e::Picture&)>& settled,
                      const std::string& program = saver_e2e::SaverPath());
    e2e::TestProcess saver;
    HWND window = nullptr;
};

}  // namespace playback_e2e
