// The real saver playing a folder of recordings, followed on the screen: the
// order, the repeat, the shuffle from start to start, the files it skips, and
// a recording of its own on each monitor.
#include <windows.h>

#include <vector>

#include "PlaybackFixture.h"

using namespace playback_e2e;

namespace {

constexpr uint32_t kRed = 0xE03020, kGreen = 0x20C040, kBlue = 0x3050E0;

// A new folder in this run's own (TempPath).
std::string Folder(const std::string& name) {
    const std::string folder = TempPath(name);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// A recording of the whole screen in one colour, its number marked by as many
// white squares, lasting (frames - 1) x stepMs.
std::string WriteClip(const std::string& folder, const std::string& name, uint32_t colour,
                      int number, uint32_t frames = 3, uint32_t stepMs = 300) {
    TestRecording t;
    t.capture = kScreen;
    t.frames = frames;
    t.stepMs = stepMs;
    t.draw = [=](uint32_t frame, uint32_t* p) {
        Fill(p, kScreen, colour);
        for (int k = 0; k < number; ++k)
            Fill(p, {40 + 30 * k, 40, 60 + 30 * k, 60}, 0xFFFFFF);
        Fill(p, {1000, 740, 1004, 744}, 0x111111 * frame);  // a change in every frame
    };
    const std::string path = folder + "\\" + name;
    WriteFile(path, ReadFile(t.Write("clip.vqd")));
    return path;
}

// The colours the point shows over `ms`, a run of one colour as one; black
// (a recording that shows nothing) left out unless asked for.
std::vector<uint32_t> ColoursShown(int x, int y, DWORD ms, bool black = false) {
    std::vector<uint32_t> seen;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        const uint32_t c = e2e::CaptureArea({x, y, x + 1, y + 1}).pixels[0];
        if ((c != 0 || black) && (seen.empty() || seen.back() != c))
            seen.push_back(c);
        Sleep(10);
    }
    return seen;
}

using Colours = std::vector<uint32_t>;

bool OneOf(uint32_t c) {
    return c == kRed || c == kGreen || c == kBlue;
}

TEST_F(PlaybackE2E, AFolderPlaysInNameOrderOnceOrOverAndOver) {
    const std::string folder = Folder("order");
    WriteClip(folder, "clip 10.vqd", kBlue, 3);
    WriteClip(folder, "Clip 2.vqd", kGreen, 2);
    WriteClip(folder, "clip 1.vqd", kRed, 1);
    WriteFile(folder + "\\notes.txt", Bytes(100, 'x'));
    Play({folder, 0, 0, 0, 0, 0}, [](const e2e::Picture& s) { return s.At(512, 384) == kRed; });
    EXPECT_EQ(ColoursShown(512, 384, 3000, true), (Colours{kRed, kGreen, kBlue}))
        << "each to its end, no blank screen between two, then the last picture stays";
    End();
    Play({folder, 0, 0, 1, 0, 0}, [](const e2e::Picture& s) { return s.At(512, 384) == kRed; });
    Colours shown = ColoursShown(512, 384, 3600);
    shown.resize(std::min<size_t>(shown.size(), 5));
    EXPECT_EQ(shown, (Colours{kRed, kGreen, kBlue, kRed, kGreen})) << "auto repeat";
}

// Each start shows first what the settings key says it began with, never the
// recording the start before began with.
TEST_F(PlaybackE2E, AShuffledFolderNeverStartsWithTheRecordingTheLastStartBeganWith) {
    const std::string folder = Folder("shuffle");
    const std::pair<const char*, uint32_t> clips[] = {
        {"a.vqd", kRed}, {"b.vqd", kGreen}, {"c.vqd", kBlue}};
    for (const auto& [name, colour] : clips)
        WriteClip(folder, name, colour, 1, 3, 2000);
    std::string before;
    for (int start = 0; start < 8; ++start) {
        uint32_t first = 0;
        Play({folder, 0, 0, 1, 0, 0, 1},
             [&](const e2e::Picture& s) { return OneOf(first = s.At(512, 384)); });
        const std::string began =
            e2e::ReadString(kSettingsKey, "Last first recording").value_or("");
        EXPECT_NE(began, before) << "start " << start;
        for (const auto& [name, colour] : clips)
            EXPECT_TRUE(began != name || first == colour)
                << "start " << start << " shows " << name << " first";
        before = began;
        End();
    }
}

// Files that are no recordings, or damaged ones, are passed over; an empty
// folder shows the message any path that opens nothing shows, in the middle.
TEST_F(PlaybackE2E, AFolderSkipsWhatIsNoRecordingAndShowsTheMessageWhenNothingOpens) {
    const std::string folder = Folder("mixed");
    WriteClip(folder, "1 good.vqd", kRed, 1);
    Bytes damaged = ReadFile(WriteClip(folder, "2 damaged.vqd", kGreen, 2));
    for (size_t i = vqd::kDataOffset + 10; i < damaged.size(); i += 7)
        damaged[i] ^= 0x5A;
    WriteFile(folder + "\\2 damaged.vqd", damaged);
    WriteFile(folder + "\\3 text.vqd", Bytes(400, 'x'));
    WriteFile(folder + "\\4 empty.vqd", {});
    WriteFile(folder + "\\5 program.exe", Bytes(2000, 0x90));
    WriteClip(folder, "6 good.vqd", kBlue, 3);
    Play({folder, 0, 0, 0, 0, 0}, [](const e2e::Picture& s) { return s.At(512, 384) == kRed; });
    EXPECT_EQ(ColoursShown(512, 384, 3500), (Colours{kRed, kBlue}));
    EXPECT_TRUE(saver.IsRunning());
    End();

    const std::string empty = Folder("empty");
    const e2e::Picture screen = Play({empty}, [](const e2e::Picture& s) {
        return Count(s, {0, 300, s.width, 468}, 0xFFFFFF) > 100;
    });
    EXPECT_EQ(Count(screen, {0, 0, screen.width, 200}), 0) << "black above the message";
}

// On two monitors (see TwoMonitorsTheWindowCoversBoth...) with "Play on every
// monitor", each monitor begins with another recording of the folder.
TEST_F(PlaybackE2E, TwoMonitorsPlayDifferentRecordingsOfAFolder) {
    QV_NEEDS_TWO_MONITORS();
    const std::string folder = Folder("two");
    WriteClip(folder, "1.vqd", kRed, 1, 3, 2000);
    WriteClip(folder, "2.vqd", kGreen, 2, 3, 2000);
    WriteClip(folder, "3.vqd", kBlue, 3, 3, 2000);
    auto both = [](const e2e::Picture& s) {
        return s.width == 1824 && s.At(512, 384) == kRed && s.At(1424, 300) == kGreen;
    };
    Play({folder, 1, 0, 1, 1, 0}, both);
}

}  // namespace
