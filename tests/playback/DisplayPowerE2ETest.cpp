// The saver and the system: it pauses while the display is off, and it runs
// at idle priority while its configuration dialog runs at normal priority.
#include <windows.h>

#include <sstream>

#include "PlaybackFixture.h"
#include "e2e/WindowWait.h"

using namespace playback_e2e;
using namespace saver_e2e;

namespace {

// A recording of whole-screen colours, one a step, kStepMs apart, at timer
// rates that keep a playing saver busy.
constexpr uint32_t kStepMs = 800;
uint32_t StepColour(uint32_t step) {
    return (30 + 20 * step) << 16 | (200 - 15 * step) << 8 | (60 + step);
}
int StepShown(const e2e::Picture& s) {
    for (int step = 0; step < 12; ++step)
        if (s.At(512, 384) == StepColour(step))
            return step;
    return -1;
}

// The CPU time of the full-screen saver's Linux process, found by its
// command line, in milliseconds: Wine reports no times of another process.
double SaverCpuMilliseconds() {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    double total = -1;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &entry)) {
        const std::string folder = std::string("Z:\\proc\\") + entry.cFileName + "\\";
        const Bytes command = ReadFile(folder + "cmdline"), stat = ReadFile(folder + "stat");
        std::string text(command.begin(), command.end()), field;
        std::istringstream fields(std::string(stat.begin(), stat.end()));
        if (text.find("QuorvaneSaver.scr") == std::string::npos ||
            text.find("/s") == std::string::npos || !std::getline(fields, field, ')'))
            continue;
        // User and system clock ticks, the 14th and 15th fields.
        double user = 0, system = 0;
        for (int i = 3; i < 14; ++i)
            fields >> field;
        fields >> user >> system;
        total = (user + system) * 1000.0 / 100.0;
    }
    FindClose(search);
    return total;
}

// The two ways the system tells of the display: the monitor-power system
// command, and the console display state notification, whose data lives in
// the receiving process.
class DisplayPower : public PlaybackE2E, public ::testing::WithParamInterface<bool> {
  protected:
    void Send(bool on) {
        if (!GetParam()) {
            PostMessageA(window, WM_SYSCOMMAND, SC_MONITORPOWER, on ? -1 : 2);
            return;
        }
        BYTE setting[sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD)] = {};
        auto* header = reinterpret_cast<POWERBROADCAST_SETTING*>(setting);
        header->PowerSetting = {
            0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
        header->DataLength = sizeof(DWORD);
        header->Data[0] = on;
        void* remote = VirtualAllocEx(saver.Handle(), nullptr, sizeof setting,
                                      MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        ASSERT_TRUE(WriteProcessMemory(saver.Handle(), remote, setting, sizeof setting, nullptr));
        DWORD_PTR answer = 0;
        EXPECT_TRUE(SendMessageTimeoutA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                                        reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000,
                                        &answer));
        VirtualFreeEx(saver.Handle(), remote, 0, MEM_RELEASE);
    }
};

// While the display is off nothing plays and the process is quiet; when it
// comes back the next step follows at its time, not all at once.
TEST_P(DisplayPower, PlaybackPausesWhileTheDisplayIsOffAndGoesOnWhereItWas) {
    TestRecording t;
    t.capture = kScreen;
    t.frames = 12;
    t.stepMs = kStepMs;
    t.rates.frameRate = t.rates.secondaryRate = 200;
    t.draw = [](uint32_t step, uint32_t* p) {
        std::fill(p, p + kImageWidth * kImageHeight, StepColour(step));
    };
    Play({t.Write("steps.vqd"), 0, 0, 0, 0, 0},
         [](const e2e::Picture& s) { return StepShown(s) >= 1; });
    Send(false);
    Sleep(300);
    const int paused = StepShown(e2e::CaptureScreen());
    ASSERT_GE(paused, 1);
    const double before = SaverCpuMilliseconds();
    ASSERT_GE(before, 0) << "the saver's process is found";
    Sleep(2500);
    EXPECT_EQ(StepShown(e2e::CaptureScreen()), paused) << "nothing plays while the display is off";
    EXPECT_LT(SaverCpuMilliseconds() - before, 60.0) << "ms of CPU in 2.5 s with the display off";

    Send(true);
    DWORD next = 0, afterNext = 0;
    e2e::WaitUntil(
        [&] {
            const int shown = StepShown(e2e::CaptureScreen());
            next = shown == paused + 1 && !next ? GetTickCount() : next;
            afterNext = shown >= paused + 2 ? GetTickCount() : 0;
            return afterNext != 0;
        },
        6000);
    ASSERT_NE(next, 0u) << "playback goes on with the next step";
    ASSERT_NE(afterNext, 0u);
    EXPECT_GT(afterNext - next, kStepMs / 2) << "the time off is not made up at once";
}

INSTANTIATE_TEST_SUITE_P(MonitorPowerAndDisplayState, DisplayPower, ::testing::Bool());

// The full-screen saver never competes with work left running; its
// configuration dialog, even when an idle program starts it, is a normal one.
TEST_F(PlaybackE2E, TheSaverRunsAtIdlePriorityAndItsDialogAtNormal) {
    Play({TestRecording().Write("priority.vqd")}, [](const e2e::Picture&) { return true; });
    EXPECT_EQ(GetPriorityClass(saver.Handle()), DWORD(IDLE_PRIORITY_CLASS));
    std::string commandLine = "\"" + SaverPath() + "\" /c";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION dialog = {};
    ASSERT_TRUE(CreateProcessA(SaverPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                               IDLE_PRIORITY_CLASS, nullptr, nullptr, &startup, &dialog));
    const HWND dialogWindow = WaitForConfigDialog();
    ASSERT_NE(dialogWindow, nullptr);
    EXPECT_EQ(GetPriorityClass(dialog.hProcess), DWORD(NORMAL_PRIORITY_CLASS));
    PostMessageA(dialogWindow, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(WaitForSingleObject(dialog.hProcess, endTimeoutMs), WAIT_OBJECT_0);
    CloseHandle(dialog.hThread);
    CloseHandle(dialog.hProcess);
}

}  // namespace
