// The built recorder on the Wine display: it records what a window of this
// test draws while the pointer moves and buttons are pressed, and the
// recording shows what screenshots taken at the same moments show.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "DemoRecording.h"
#include "Desktop.h"
#include "FillingFiles.h"
#include "RecorderRun.h"
#include "TestFiles.h"
#include "e2e/Input.h"
#include "e2e/Registry.h"
#include "e2e/WindowWait.h"
#include "recorder/RecordingSession.h"
#include "recording/FrameImage.h"

using namespace recorder_e2e;

namespace {

const RECT kArea = {0, 0, 640, 480};  // the recorded region and the test window

// What the window shows in one phase, where the pointer is, what is held.
// A click is pressed and released within a frame.
struct Phase {
    int squareX, squareY;
    POINT pointer;
    bool left, right, click;
};
const Phase kPhases[] = {
    {40, 60, {300, 300}, false, false, false},  {160, 80, {340, 310}, false, false, false},
    {280, 120, {380, 320}, true, false, false}, {400, 200, {420, 330}, true, false, false},
    {520, 300, {460, 340}, false, true, false}, {100, 360, {500, 350}, false, false, false},
    {200, 200, {250, 250}, false, false, true},
};
const DWORD kPhaseMs = 600, kSettleMs = 250;

int currentPhase = 0;

LRESULT CALLBACK PaintPhase(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    const Phase& p = kPhases[currentPhase];
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT all = kArea, square = {p.squareX, p.squareY, p.squareX + 64, p.squareY + 64};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &square, blue);
    DeleteObject(blue);
    char text[64];
    std::snprintf(text, sizeof text, "Phase %d: the square at (%d, %d)", currentPhase, p.squareX,
                  p.squareY);
    TextOutA(dc, 20, 20, text, lstrlenA(text));
    EndPaint(window, &paint);
    return 0;
}

HWND MakeStage() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PaintPhase;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "RecorderTestStage";
    RegisterClassA(&windowClass);
    HWND stage =
        CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "Stage", WS_POPUP | WS_VISIBLE,
                        kArea.left, kArea.top, kArea.right - kArea.left, kArea.bottom - kArea.top,
                        nullptr, nullptr, windowClass.hInstance, nullptr);
    e2e::PumpMessages();
    return stage;
}

// The screenshot of a phase with the moment it was taken, from the recorder's start.
struct Moment {
    std::vector<uint16_t> pixels;
    DWORD atMs;
};

// Pixels of a record that differ from the screenshot, outside the box
// around the pointer that the recorder draws.
int DiffersOutsidePointer(const Shown& s, const std::vector<uint16_t>& shot) {
    int differ = 0;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const bool nearPointer = x >= s.cursor.x - 4 && x < s.cursor.x + 36 &&
                                     y >= s.cursor.y - 4 && y < s.cursor.y + 36;
            const size_t i = size_t(y) * s.width + x;
            differ += !nearPointer && s.pixels[i] != shot[i];
        }
    return differ;
}

bool PointerDrawn(const Shown& s, const std::vector<uint16_t>& shot) {
    for (int y = s.cursor.y; y < s.cursor.y + 16 && y < s.height; ++y)
        for (int x = s.cursor.x; x < s.cursor.x + 8 && x < s.width; ++x)
            if (s.pixels[size_t(y) * s.width + x] != shot[size_t(y) * s.width + x])
                return true;
    return false;
}

}  // namespace

TEST(RecorderEndToEnd, TheRecordingShowsTheScreenWithThePointerAndTheButtonsHeld) {
    const std::string path = TempPath("known.vqd");
    currentPhase = 0;
    HWND stage = MakeStage();
    ASSERT_NE(stage, nullptr);
    e2e::MoveCursorTo(kPhases[0].pointer.x, kPhases[0].pointer.y);
    e2e::TestProcess recorder;
    ASSERT_TRUE(StartRecorder(recorder, "/record \"" + path + "\" /seconds 6 /region 0,0,640,480"));
    ASSERT_TRUE(e2e::WaitUntil([&] { return FileSize(path) > 344; }, timeoutMs))
        << "the first record";
    const DWORD start = GetTickCount();
    std::vector<Moment> moments;
    for (int k = 0; k < int(std::size(kPhases)); ++k) {
        // The picture first; once it is recorded, the pointer and the buttons.
        const Phase& p = kPhases[k];
        const DWORD phaseStart = GetTickCount();
        currentPhase = k;
        InvalidateRect(stage, nullptr, FALSE);
        UpdateWindow(stage);
        e2e::WaitUntil([&] { return GetTickCount() - phaseStart >= kSettleMs; }, kSettleMs + 100);
        moments.push_back({Reduced(e2e::CaptureScreen(), kArea), GetTickCount() - start});
        e2e::MoveCursorTo(p.pointer.x, p.pointer.y);
        const Phase& before = kPhases[k > 0 ? k - 1 : 0];
        if (p.left != (k > 0 && before.left))
            p.left ? e2e::PressButton(e2e::MouseButton::Left)
                   : e2e::ReleaseButton(e2e::MouseButton::Left);
        if (p.right != (k > 0 && before.right))
            p.right ? e2e::PressButton(e2e::MouseButton::Right)
                    : e2e::ReleaseButton(e2e::MouseButton::Right);
        if (p.click) {
            e2e::PressButton(e2e::MouseButton::Left);
            Sleep(10);
            e2e::ReleaseButton(e2e::MouseButton::Left);
        }
        e2e::WaitUntil([&] { return GetTickCount() - phaseStart >= kPhaseMs; }, kPhaseMs + 100);
    }
    e2e::ReleaseButton(e2e::MouseButton::Left);
    e2e::ReleaseButton(e2e::MouseButton::Right);
    EXPECT_EQ(recorder.ExitCodeOrKill(timeoutMs), 0u);
    DestroyWindow(stage);

    const std::vector<Shown> records = PlayAll(path);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].width, 640);
    EXPECT_EQ(records[0].height, 480);
    // The records of each phase: those that show its screenshot outside the
    // pointer. The last of them has the pointer and the buttons of the phase.
    uint32_t firstShown[std::size(kPhases)] = {};
    for (size_t k = 0; k < std::size(kPhases); ++k) {
        SCOPED_TRACE("phase " + std::to_string(k));
        const Phase& p = kPhases[k];
        const Shown* last = nullptr;
        int matching = 0, clicked = 0;
        for (const Shown& s : records) {
            if (DiffersOutsidePointer(s, moments[k].pixels) != 0)
                continue;
            if (matching++ == 0)
                firstShown[k] = s.timeMs;
            EXPECT_TRUE(PointerDrawn(s, moments[k].pixels)) << "at " << s.timeMs << " ms";
            clicked += s.left;
            last = &s;
        }
        ASSERT_NE(last, nullptr) << "no record shows the phase's screenshot";
        EXPECT_EQ(last->cursor.x * 10000 + last->cursor.y, p.pointer.x * 10000 + p.pointer.y);
        EXPECT_EQ(last->left, p.left);
        EXPECT_EQ(last->right, p.right);
        if (p.click) {
            EXPECT_GE(clicked, 1) << "a click within a frame shows";
        }
        const uint16_t blue = Reduce(0x0000FF);
        EXPECT_EQ(moments[k].pixels[size_t(p.squareY + 32) * 640 + p.squareX + 32], blue);
    }
    // The phases follow each other in the recording as they did on the screen.
    for (size_t k = 1; k < std::size(kPhases); ++k) {
        const int32_t recorded = int32_t(firstShown[k] - firstShown[k - 1]);
        const int32_t happened = int32_t(moments[k].atMs - moments[k - 1].atMs);
        EXPECT_NEAR(recorded, happened, 250) << "phase " << k;
    }
}

namespace {
bool Says(const RunResult& run, const std::string& text) {
    return run.output.find(text) != std::string::npos;
}
}  // namespace

// Bad input gets an exit code and one line (each problem's text is checked
// in-process: RecorderCommandLineTest); a file that is being recorded is not
// recorded twice, and "/stop" ends its recording with a complete file.
TEST(RecorderCommandLine, RefusalsAndStoppingAnotherRecorder) {
    const std::string path = TempPath("stopped.vqd"), quoted = "\"" + path + "\"";
    const std::pair<std::string, std::pair<DWORD, std::string>> refused[] = {
        {"/record " + quoted + " /fps 99", {2, "/fps takes a whole number from 1 to 30"}},
        {"/record " + quoted + " /region 1000,700,1100,800", {1, "is not on the screen"}},
        {"/record \"C:\\no such folder\\x.vqd\" /seconds 1", {1, "Cannot create"}},
        {"/record " + quoted + " /stop", {1, "No recording of"}},
    };
    for (const auto& [arguments, expected] : refused) {
        const RunResult run = RunRecorder(arguments);
        EXPECT_EQ(run.exitCode, expected.first) << arguments;
        EXPECT_TRUE(Says(run, expected.second)) << arguments << ": " << run.output;
    }
    e2e::TestProcess first;
    ASSERT_TRUE(StartRecorder(first, "/record " + quoted));
    ASSERT_TRUE(e2e::WaitUntil([&] { return FileSize(path) > 344; }, timeoutMs));
    const RunResult second = RunRecorder("/record " + quoted + " /seconds 2");
    EXPECT_EQ(second.exitCode, 1u);
    EXPECT_TRUE(Says(second, "is being recorded already")) << second.output;
    Sleep(1200);
    const RunResult stop = RunRecorder("/record " + quoted + " /seconds 9 /stop");
    EXPECT_EQ(stop.exitCode, 0u) << stop.output;
    // The file is complete when "/stop" returns.
    EXPECT_EQ(StreamEnd(path), "end");
    const std::vector<Shown> records = PlayAll(path);
    ASSERT_FALSE(records.empty());
    EXPECT_GE(records.back().timeMs, 1000u) << "the time until the stop is recorded";
    EXPECT_EQ(first.ExitCodeOrKill(timeoutMs), 0u);
}

// A recorder killed at any moment leaves a file that opens and plays up to
// its last whole record.
TEST(RecorderFailures, AKilledRecorderLeavesAPlayableFile) {
    const std::string path = TempPath("killed.vqd");
    for (DWORD recordFor : {0u, 700u, 1500u}) {
        e2e::TestProcess recorder;
        ASSERT_TRUE(StartRecorder(recorder, "/record \"" + path + "\" /fps 30"));
        ASSERT_TRUE(e2e::WaitUntil([&] { return FileSize(path) > 344; }, timeoutMs));
        for (DWORD start = GetTickCount(); GetTickCount() - start < recordFor;) {
            const DWORD t = GetTickCount() - start;
            e2e::MoveCursorTo(100 + int(t % 500), 100 + int(t % 300));
            Sleep(15);
        }
        recorder.Kill();
        const std::vector<Shown> records = PlayAll(path);
        EXPECT_FALSE(records.empty()) << recordFor;
        const std::string end = StreamEnd(path);
        EXPECT_TRUE(end == "end" || end == "truncated") << end;
    }
}

// A recording session in this process, writing to a disk that fills up: the
// capture stops by itself, the report says why, and the file plays up to its
// last whole record.
TEST(RecorderFailures, AFullDiskEndsTheRecordingAndTheReportSaysSo) {
    FillingFiles files;
    files.capacity = 6000;
    RecordingSession session(files);
    SessionSettings settings = {"full.vqd", {0, 0, 320, 240}, 16, {30, 0, true, true}, {}};
    std::string problem;
    ASSERT_TRUE(session.Start(settings, problem)) << problem;
    // The drawn pointer changes the pictures as it moves.
    int step = 0;
    EXPECT_TRUE(e2e::WaitUntil(
        [&] {
            ++step;
            e2e::MoveCursorTo(20 + step * 7 % 280, 20 + step * 5 % 200);
            return WaitForSingleObject(session.Ended(), 10) == WAIT_OBJECT_0;
        },
        30000))
        << "the capture stops by itself";
    const RecordingSummary summary = session.Stop();
    EXPECT_TRUE(summary.writeFailed);
    EXPECT_TRUE(summary.written);
    const std::string report = session.Report(summary);
    EXPECT_EQ(report.rfind("Recording stopped: the file could not be written. full.vqd plays the "
                           "first ",
                           0),
              0u)
        << report;

    RecordingFile reader(files.memory);
    ASSERT_TRUE(reader.Initialize());
    const PlayedRecording played = PlayThrough(reader, "full.vqd");
    EXPECT_EQ(played.pictures.size(), summary.records);
    EXPECT_FALSE(played.cutShort);
}

// The saver plays the demo full screen at natural size while the recorder
// records the screen: the recorded pictures are the demo's pictures.
namespace {
const char kSaverKey[] = "Software\\Quorvane\\Screen Saver";

size_t Hash(const uint16_t* pixels, size_t count) {
    return std::hash<std::string_view>()(
        std::string_view(reinterpret_cast<const char*>(pixels), count * sizeof *pixels));
}

// Every picture of the demo inside its capture rectangle, as hashes.
std::set<size_t> DemoPictures() {
    std::set<size_t> pictures;
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
    const std::string demoPath = TempPath("demo.vqd"), path = TempPath("roundtrip.vqd");
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

    const std::set<size_t> demoPictures = DemoPictures();
    const std::vector<Shown> records = PlayAll(path);
    ASSERT_GT(records.size(), 20u);
    size_t exact = 0;
    for (const Shown& s : records)
        exact += demoPictures.count(Hash(s.pixels.data(), s.pixels.size()));
    EXPECT_GE(double(exact) / double(records.size()), 0.8)
        << exact << " of " << records.size() << " records show a picture of the demo exactly";
}
