// The saver and the system: it pauses while the display is off, and it runs
// at idle priority while its configuration dialog runs at normal priority.
#include <windows.h>

#include "PlaybackFixture.h"
#include "e2e/WindowWait.h"

using namespace playback_e2e;
using namespace saver_e2e;

namespace {

// A recording of whole-screen colours, one a step, kStepMs apart.
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
        // A POWERBROADCAST_SETTING of the console display state: one DWORD of data.
        const struct {
            GUID setting;
            DWORD length, data;
        } message = {{0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}},
                     sizeof(DWORD),
                     on};
        void* remote = VirtualAllocEx(saver.Handle(), nullptr, sizeof message,
                                      MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        ASSERT_TRUE(WriteProcessMemory(saver.Handle(), remote, &message, sizeof message, nullptr));
        EXPECT_TRUE(SendMessageTimeoutA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                                        LPARAM(remote), SMTO_ABORTIFHUNG, 5000, nullptr));
        VirtualFreeEx(saver.Handle(), remote, 0, MEM_RELEASE);
    }
};

// While the display is off nothing plays; when it comes back the next step
// follows and stays its time: the time off is not made up at once.
TEST_P(DisplayPower, PlaybackPausesWhileTheDisplayIsOffAndGoesOnWhereItWas) {
    TestRecording t;
    t.capture = kScreen;
    t.frames = 12;
    t.stepMs = kStepMs;
    t.rates.frameRate = t.rates.secondaryRate = 200;
    t.draw = [](uint32_t step, uint32_t* p) { Fill(p, kScreen, StepColour(step)); };
    Play({t.Write("steps.vqd"), 0, 0, 0, 0, 0},
         [](const e2e::Picture& s) { return StepShown(s) >= 1; });
    Send(false);
    Sleep(300);
    const int paused = StepShown(e2e::CaptureScreen());
    ASSERT_GE(paused, 1);
    Sleep(2500);
    EXPECT_EQ(StepShown(e2e::CaptureScreen()), paused) << "nothing plays while the display is off";

    Send(true);
    auto nextShown = [&] { return StepShown(e2e::CaptureScreen()) == paused + 1; };
    ASSERT_TRUE(e2e::WaitUntil(nextShown, 3000)) << "playback goes on with the next step";
    Sleep(kStepMs / 2);
    EXPECT_TRUE(nextShown()) << "the time off is not made up at once";
}

INSTANTIATE_TEST_SUITE_P(MonitorPowerAndDisplayState, DisplayPower, ::testing::Bool());

// The full-screen saver never competes with work left running; its
// configuration dialog, even when an idle program starts it, is a normal one.
TEST_F(PlaybackE2E, TheSaverRunsAtIdlePriorityAndItsDialogAtNormal) {
    Play({TestRecording().Write("priority.vqd")}, [](const e2e::Picture&) { return true; });
    EXPECT_EQ(GetPriorityClass(saver.Handle()), DWORD(IDLE_PRIORITY_CLASS));
    e2e::TestProcess dialog;
    ASSERT_TRUE(dialog.Start(SaverPath(), "/c", IDLE_PRIORITY_CLASS));
    const HWND dialogWindow = WaitForConfigDialog();
    ASSERT_NE(dialogWindow, nullptr);
    EXPECT_EQ(GetPriorityClass(dialog.Handle()), DWORD(NORMAL_PRIORITY_CLASS));
    PostMessageA(dialogWindow, WM_COMMAND, IDCANCEL, 0);
    EXPECT_NE(dialog.ExitCodeOrKill(timeoutMs), e2e::TestProcess::killedExitCode);
}

}  // namespace
