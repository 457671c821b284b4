#include <gtest/gtest.h>

#include "ReaderTest.h"
#include "recording/RecordingFile.h"

namespace {

class ClockTest : public ReaderTest {
  protected:
    void Start(const std::vector<TestRecord>& records, bool quick = false, bool repeat = false) {
        const std::string path = TempPath("clock.vqd");
        WriteFile(path, MakeRecording(records));
        ASSERT_TRUE(r.Open(path.c_str(), LockedFile::kRead));
        r.SetQuickPlay(quick);
        r.SetAutoRepeat(repeat);
        r.Restart();
    }
    // One timer tick after ms milliseconds: the first payload byte delivered, or -1.
    int Tick(uint32_t ms) {
        clock.now += ms;
        const Bytes b = Deliver(r);
        return b.empty() ? -1 : b[0];
    }
};

std::vector<TestRecord> Numbered(std::initializer_list<uint32_t> delays) {
    std::vector<TestRecord> out;
    uint8_t n = 0;
    for (uint32_t d : delays)
        out.push_back({d, Bytes(4, n++)});
    return out;
}

TEST_F(ClockTest, FirstRecordIsDueAtOnceLaterOnesWaitForTheirDelays) {
    Start(Numbered({199, 300, 0}));
    EXPECT_EQ(Tick(0), 0);
    EXPECT_EQ(Tick(100), -1);
    EXPECT_EQ(Tick(100), -1);
    EXPECT_EQ(Tick(100), 1);
    EXPECT_EQ(Tick(0), 2);  // a zero delay is due on the next tick
    EXPECT_EQ(r.GetPositionSeconds(), 0u);
    EXPECT_EQ(r.GetPositionMilliseconds(), 499u);  // the first delay counts too
}

TEST_F(ClockTest, ALateTickCarriesItsSurplus) {
    Start(Numbered({0, 100, 100, 100}));
    EXPECT_EQ(Tick(0), 0);
    EXPECT_EQ(Tick(250), 1);  // 150 ms surplus
    EXPECT_EQ(Tick(0), 2);    // due at once from the surplus
    EXPECT_EQ(Tick(0), -1);   // 50 ms left
    EXPECT_EQ(Tick(50), 3);
}

TEST_F(ClockTest, AWrappedCounterCountsOneLess) {
    Start(Numbered({0, 100}));
    clock.now = 0xFFFFFFF0;
    EXPECT_EQ(Tick(0), 0);
    EXPECT_EQ(r.ConsumeElapsedTime(), 0u);
    clock.now = 0x10;  // 0x20 later, counted as 0x1F
    EXPECT_EQ(r.ConsumeElapsedTime(), 0x1Fu);
}

TEST_F(ClockTest, QuickPlayAppliesOneRecordPerTick) {
    std::vector<TestRecord> minute;
    for (int i = 0; i < 60; ++i)
        minute.push_back({1000, Bytes(1, uint8_t(i))});
    Start(minute, true);
    for (int i = 0; i < 60; ++i)
        ASSERT_EQ(Tick(1), i);
    EXPECT_EQ(r.GetPositionSeconds(), 60u);
}

TEST_F(ClockTest, AutoRepeatRestartsOnTheTickAfterTheEnd) {
    Start(Numbered({5, 5}), false, true);
    EXPECT_EQ(Tick(0), 0);
    EXPECT_EQ(Tick(5), 1);
    EXPECT_EQ(Tick(5), -1);  // finds the end and restarts
    EXPECT_EQ(Tick(5), 0);
}

TEST_F(ClockTest, StopAndPauseHoldTheStream) {
    Start(Numbered({0, 10, 10}));
    EXPECT_EQ(Tick(0), 0);
    r.Pause();
    EXPECT_EQ(Tick(50), -1);
    r.Resume();  // the pause is not counted
    EXPECT_EQ(Tick(5), -1);
    EXPECT_EQ(Tick(5), 1);
    r.Stop();
    EXPECT_FALSE(r.IsPlaying());
    EXPECT_EQ(Tick(100), -1);
}

}  // namespace
