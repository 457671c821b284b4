// The fixture of the tests that read recordings.
#pragma once
#include <gtest/gtest.h>

#include "TestFiles.h"

// A reader on a fake clock: initialised before each test, closed and
// released after it.
class ReaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        r.SetClockSource(clock.Source());
        ASSERT_TRUE(r.Initialize());
    }
    void TearDown() override {
        r.Close();
        r.Release();
    }
    // Opens the bytes as a recording (closing the one before); false when they are none.
    bool Open(const Bytes& recording) {
        r.Close();
        return r.Open(Stored("reader.vqd", recording).c_str(), LockedFile::kRead);
    }
    // Opens the recording and starts playing it.
    void Play(const Bytes& recording, bool quickPlay = true) {
        ASSERT_TRUE(Open(recording));
        r.SetQuickPlay(quickPlay);
        r.Restart();
    }
    FakeClock clock;
    RecordingFile r;
};
