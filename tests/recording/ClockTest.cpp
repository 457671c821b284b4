#include <gtest/gtest.h>

#include "ReaderTest.h"
#include "recording/RecordingFile.h"

namespace {

class ClockTest : public ReaderTest {
  protected:
    // Records numbered from 0, each after its delay.
    void Start(std::initializer_list<uint32_t> delays, bool quick = false, bool repeat = false) {
        std::vector<TestRecord> records;
        for (uint32_t d : delays)
            records.push_back({d, Bytes(4, uint8_t(records.size()))});
        Play(MakeRecording(records), quick);
        r.SetAutoRepeat(repeat);
    }
    // One timer tick after ms milliseconds: the number of the record delivered, or -1.
    int Tick(uint32_t ms) {
        clock.now += ms;
        const Bytes b = Deliver(r);
        return b.empty() ? -1 : b[0];
    }
};

TEST_F(ClockTest, RecordsAreDueAfterTheirDelays) {
    const struct {
        std::initializer_list<uint32_t> delays;
        bool quick, repeat;
        std::vector<std::pair<uint32_t, int>> ticks;  // after how many ms, which record
        std::pair<uint32_t, uint32_t> position;       // seconds and milliseconds played at the end
    } cases[] = {
        // The first record is due at once, whatever its delay; a zero delay on the next tick.
        {{199, 300, 0}, false, false, {{0, 0}, {100, -1}, {100, -1}, {100, 1}, {0, 2}}, {0, 499}},
        // A late tick carries its surplus to the next records.
        {{0, 100, 100, 100}, false, false, {{0, 0}, {250, 1}, {0, 2}, {0, -1}, {50, 3}}, {0, 300}},
        // Quick play delivers one record per tick whatever the delays.
        {{1000, 1000, 1000}, true, false, {{1, 0}, {1, 1}, {1, 2}}, {3, 0}},
        // Auto repeat restarts on the tick after the end.
        {{5, 5}, false, true, {{0, 0}, {5, 1}, {5, -1}, {5, 0}}, {0, 5}},
    };
    for (const auto& c : cases) {
        Start(c.delays, c.quick, c.repeat);
        for (const auto& [ms, record] : c.ticks)
            EXPECT_EQ(Tick(ms), record) << *c.delays.begin() << " after " << ms;
        EXPECT_EQ(std::make_pair(r.GetPositionSeconds(), r.GetPositionMilliseconds()), c.position)
            << *c.delays.begin();
    }
}

TEST_F(ClockTest, AWrappedCounterCountsOneLess) {
    Start({0, 100});
    clock.now = 0xFFFFFFF0;
    EXPECT_EQ(Tick(0), 0);
    EXPECT_EQ(r.ConsumeElapsedTime(), 0u);
    clock.now = 0x10;  // 0x20 later, counted as 0x1F
    EXPECT_EQ(r.ConsumeElapsedTime(), 0x1Fu);
}

TEST_F(ClockTest, StopAndPauseHoldTheStream) {
    Start({0, 10, 10});
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
