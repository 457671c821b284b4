// The saver plays the demo full screen at natural size while the recorder
// records the screen: the recorded pictures are the demo's pictures.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "DemoRecording.h"
#include "Desktop.h"
#include "RecorderRun.h"
#include "e2e/Input.h"
#include "e2e/Registry.h"
#include "e2e/WindowWait.h"
#include "recording/FrameImage.h"

using namespace recorder_e2e;

namespace {
const char kSaverKey[] = "Software\\Quorvane\\Screen Saver";

uint64_t Hash(const uint16_t* pixels, size_t count) {
    uint64_t hash = 14695981039346656037u;
    for (size_t i = 0; i < count; ++i) {
        hash = (hash ^ (pixels[i] & 0xFF)) * 1099511628211u;
        hash = (hash ^ (pixels[i] >> 8)) * 1099511628211u;
    }
    return hash;
}

// Every picture of the demo inside its capture rectangle, as hashes.
std::set<uint64_t> DemoPictures() {
    std::set<uint64_t> pictures;
    demo::DemoFrames frames;
    const Rect& c = demo::kScreen;
    std::vector<uint16_t> area;
    for (int t = 0; t < demo::kFrames; ++t) {
        const vqd::EncoderFrame frame = frames.Next();
        ImageLayout layout;
        LayoutOf(frame.bitmapInfo, layout);
        area.clear();
        for (int y = c.top; y < c.bottom; ++y) {
            const auto* row = reinterpret_cast<const uint16_t*>(frame.pixels + y * layout.stride);
            area.insert(area.end(), row + c.left, row + c.right);
        }
        pictures.insert(Hash(area.data(), area.size()));
    }
    return pictures;
}
}  // namespace

TEST(RoundTrip, TheRecordedPicturesAreTheDemosPictures) {
    const std::string demoPath = TempFile("demo.vqd"), path = TempFile("roundtrip.vqd");
    uint32_t demoRecords = 0;
    ASSERT_TRUE(demo::WriteDemoRecording(demoPath.c_str(), demoRecords));
    ASSERT_TRUE(e2e::DeleteKeyTree(kSaverKey));
    ASSERT_TRUE(e2e::WriteString(kSaverKey, "Path", demoPath));
    for (const char* off : {"Auto repeat", "Quick play", "Draw mouse clicks", "Scale to fit screen",
                            "Play on every monitor"})
        ASSERT_TRUE(e2e::WriteDword(kSaverKey, off, 0));
    e2e::MoveCursorTo(1000, 750);
    e2e::TestProcess saver;
    ASSERT_TRUE(saver.Start(e2e::WindowsPath(QV_SAVER_PATH), "/s"));
    ASSERT_NE(e2e::WaitForWindow("WindowsScreenSaverClass", "Screen Saver", timeoutMs), nullptr);
    const Rect& c = demo::kScreen;
    const RunResult run = RunRecorder("/record \"" + path + "\" /seconds 12 /region " +
                                      std::to_string(c.left) + "," + std::to_string(c.top) + "," +
                                      std::to_string(c.right) + "," + std::to_string(c.bottom));
    saver.Kill();
    e2e::DeleteKeyTree(kSaverKey);
    ASSERT_EQ(run.exitCode, 0u) << run.output;

    const std::set<uint64_t> demoPictures = DemoPictures();
    const std::vector<Shown> records = PlayAll(path);
    ASSERT_GT(records.size(), 20u);
    size_t exact = 0;
    for (const Shown& s : records)
        exact += demoPictures.count(Hash(s.pixels.data(), s.pixels.size()));
    const double share = double(exact) / double(records.size());
    std::printf("round trip: %zu of %zu records (%.1f %%) show a picture of the demo exactly\n",
                exact, records.size(), share * 100);
    EXPECT_GE(share, 0.8);
}
