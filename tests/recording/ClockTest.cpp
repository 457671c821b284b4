#include <gtest/gtest.h>

#include "ReaderTest.h"
#include "recording/RecordingFile.h"

namespace {

class ClockTest : public ReaderTest {
  protected:
    // Records numbered from 0, each after its delay.
    void Start(std::initializer_list<uint32_t> delays) {
        std::vector<TestRecord> records;
        for (uint32_t d : delays)
            records.push_back({d, Bytes(4, uint8_t(records.size()))});
        Play(MakeRecording(records), false);
    }
    // One timer tick after ms milliseconds: the number of the record delivered, or -1.
    int Tick(uint32_t ms) {
        clock.now += ms;
        const Bytes b = Deliver(r);
        return b.empty() ? -1 : b[0];
    }
};

TEST_F(ClockTest, AWrappedCounterCountsOneLess) {
    Start({0, 100});
    clock.now = 0xFFFFFFF0;
    EXPECT_EQ(Tick(0), 0);
    EXPECT_EQ(r.ConsumeElapsedTime(), 0u);
    clock.now = 0x10;  // 0x20 later, counted as 0x1F
    EXPECT_EQ(r.ConsumeElapsedTime(), 0x1Fu);
}

// The first record is due at once whatever its delay, the others after
// theirs; a late tick carries its surplus on, one record per tick; a pause is
// not counted; auto repeat restarts on the tick after the end.
TEST_F(ClockTest, RecordsAreDueAfterTheirDelaysAndPausesHoldTheStream) {
    Start({199, 10, 10, 10});
    r.SetAutoRepeat(1);
    EXPECT_EQ(Tick(0), 0);
    r.Pause();
    EXPECT_EQ(Tick(50), -1);
    r.Resume();
    EXPECT_EQ(Tick(5), -1);
    EXPECT_EQ(Tick(5), 1);
    EXPECT_EQ(Tick(25), 2);
    EXPECT_EQ(Tick(0), 3);
    EXPECT_EQ(r.GetPositionSeconds() * 1000 + r.GetPositionMilliseconds(), 229u);
    EXPECT_EQ(Tick(0), -1);
    EXPECT_EQ(Tick(0), 0);
    r.SetQuickPlay(1);
    EXPECT_EQ(Tick(0), 1);
    EXPECT_EQ(Tick(0), 2);
    r.Stop();
    EXPECT_FALSE(r.IsPlaying());
    EXPECT_EQ(Tick(100), -1);
}

}  // namespace
