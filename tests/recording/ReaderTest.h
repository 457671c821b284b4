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
    FakeClock clock;
    RecordingFile r;
};
