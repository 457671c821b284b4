// The saver and the system: it pauses while the display is off, and it runs
// at idle priority while its configuration dialog runs at normal priority.
#include <windows.h>

#include <fstream>
#include <sstream>

#include "PlaybackFixture.h"
#include "e2e/WindowWait.h"

using namespace playback_e2e;
using namespace saver_e2e;

namespace {

// A recording of whole-screen colours, one a step, kStepMs apart, at timer
// rates that keep a playing saver busy.
constexpr uint32_t kStepMs = 800;
uint32_t StepColour(int step) {
    return uint32_t(30 + 20 * step) << 16 | uint32_t(200 - 15 * step) << 8 | uint32_t(60 + step);
}
int StepShown(const e2e::Picture& s) {
    for (int step = 0; step < 12; ++step)
        if (s.At(512, 384) == StepColour(step))
            return step;
    return -1;
}
std::string WriteSteps() {
    const std::string path = TempPath("steps.vqd");
    const Bytes info = BitmapInfo(kImageWidth, -kImageHeight, 32);
    std::vector<uint32_t> pixels(size_t(kImageWidth) * kImageHeight);
    vqd::RecordingEncoder encoder;
    vqd::RecordingInfo busy;
    busy.frameRate = busy.secondaryRate = 200;
    EXPECT_TRUE(encoder.Create(path.c_str(), busy));
    for (int step = 0; step < 12; ++step) {
        std::fill(pixels.begin(), pixels.end(), StepColour(step));
        EXPECT_TRUE(encoder.AddFrame({info.data(),
                                      reinterpret_cast<const uint8_t*>(pixels.data()),
                                      Rect{0, 0, kImageWidth, kImageHeight},
                                      {0, 0},
                                      0,
                                      0},
                                     uint32_t(step) * kStepMs));
    }
    EXPECT_TRUE(encoder.Finish());
    return path;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The CPU time of the full-screen saver's Linux process, found by its
// command line, in milliseconds: Wine reports no times of another process.
double SaverCpuMilliseconds() {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    double total = -1;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &entry)) {
        if (!isdigit(static_cast<unsigned char>(entry.cFileName[0])))
            continue;
        const std::string folder = std::string("Z:\\proc\\") + entry.cFileName + "\\";
        const std::string command = ReadWholeFile(folder + "cmdline");
        const std::string stat = ReadWholeFile(folder + "stat");
        if (command.find("QuorvaneSaver.scr") == std::string::npos ||
            command.find("/s") == std::string::npos || stat.rfind(')') == std::string::npos)
            continue;
        // User and system clock ticks, the 14th and 15th fields.
        std::istringstream fields(stat.substr(stat.rfind(')') + 1));
        std::string field;
        double ticks = 0;
        for (int i = 3; i <= 15 && fields >> field; ++i)
            if (i >= 14)
                ticks += std::stod(field);
        total = ticks * 1000.0 / 100.0;
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return total;
}

// The two ways the system tells of the display: the monitor-power system
// command, and the console display state notification, whose data lives in
// the receiving process.
enum class DisplaySignal { kMonitorPower, kDisplayState };

void SendDisplayPower(const e2e::TestProcess& saver, HWND window, DisplaySignal signal, bool on) {
    if (signal == DisplaySignal::kMonitorPower) {
        PostMessageA(window, WM_SYSCOMMAND, SC_MONITORPOWER, on ? -1 : 2);
        return;
    }
    const GUID consoleDisplayState = {
        0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
    BYTE setting[sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD)] = {};
    auto* header = reinterpret_cast<POWERBROADCAST_SETTING*>(setting);
    header->PowerSetting = consoleDisplayState;
    header->DataLength = sizeof(DWORD);
    header->Data[0] = on ? 1 : 0;
    void* remote = VirtualAllocEx(saver.Handle(), nullptr, sizeof setting, MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    ASSERT_NE(remote, nullptr);
    ASSERT_TRUE(WriteProcessMemory(saver.Handle(), remote, setting, sizeof setting, nullptr));
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                                    reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000,
                                    &answer));
    VirtualFreeEx(saver.Handle(), remote, 0, MEM_RELEASE);
}

class DisplayPower : public PlaybackE2E, public ::testing::WithParamInterface<DisplaySignal> {};

// While the display is off nothing plays and the process is quiet; when it
// comes back the next step follows at its time, not all at once.
TEST_P(DisplayPower, PlaybackPausesWhileTheDisplayIsOffAndGoesOnWhereItWas) {
    Play({e2e::WindowsPath(WriteSteps()), 0, 0, 0, 0, 0},
         [](const e2e::Picture& s) { return StepShown(s) >= 1; });
    double before = SaverCpuMilliseconds();
    ASSERT_GE(before, 0) << "the saver's process is found";
    Sleep(1500);
    const double playing = SaverCpuMilliseconds() - before;

    SendDisplayPower(saver, window, GetParam(), false);
    Sleep(300);
    const int paused = StepShown(e2e::CaptureScreen());
    ASSERT_GE(paused, 1);
    before = SaverCpuMilliseconds();
    Sleep(2500);
    const double off = SaverCpuMilliseconds() - before;
    EXPECT_EQ(StepShown(e2e::CaptureScreen()), paused) << "nothing plays while the display is off";
    EXPECT_LT(off, 60.0) << "ms of CPU in 2.5 s with the display off";
    printf("saver CPU: %.0f ms in 1.5 s playing, %.0f ms in 2.5 s with the display off\n", playing,
           off);

    SendDisplayPower(saver, window, GetParam(), true);
    DWORD next = 0, afterNext = 0;
    e2e::WaitUntil(
        [&] {
            const int shown = StepShown(e2e::CaptureScreen());
            if (shown == paused + 1 && !next)
                next = GetTickCount();
            if (shown >= paused + 2)
                afterNext = GetTickCount();
            return afterNext != 0;
        },
        6000);
    ASSERT_NE(next, 0u) << "playback goes on with the next step";
    ASSERT_NE(afterNext, 0u);
    EXPECT_GT(afterNext - next, kStepMs / 2) << "the time off is not made up at once";
}

INSTANTIATE_TEST_SUITE_P(Signals, DisplayPower,
                         ::testing::Values(DisplaySignal::kMonitorPower,
                                           DisplaySignal::kDisplayState));

// The full-screen saver never competes with work left running; its
// configuration dialog, even when an idle program starts it, is a normal one.
TEST_F(PlaybackE2E, TheSaverRunsAtIdlePriorityAndItsDialogAtNormal) {
    TestRecording t;
    Play({e2e::WindowsPath(Write(t, "priority.vqd")), 0, 0},
         [](const e2e::Picture&) { return true; });
    EXPECT_EQ(GetPriorityClass(saver.Handle()), DWORD(IDLE_PRIORITY_CLASS));

    std::string commandLine = "\"" + SaverPath() + "\" /c";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION dialogProcess = {};
    ASSERT_TRUE(CreateProcessA(SaverPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                               IDLE_PRIORITY_CLASS, nullptr, nullptr, &startup, &dialogProcess));
    const HWND dialog = WaitForConfigDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetPriorityClass(dialogProcess.hProcess), DWORD(NORMAL_PRIORITY_CLASS));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(WaitForSingleObject(dialogProcess.hProcess, endTimeoutMs), WAIT_OBJECT_0);
    CloseHandle(dialogProcess.hThread);
    CloseHandle(dialogProcess.hProcess);
}

}  // namespace
