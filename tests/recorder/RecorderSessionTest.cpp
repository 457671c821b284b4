// A recording session in this process, writing to a disk that fills up: the
// capture stops by itself, the report says why, and the file plays up to its
// last whole record.
#include <gtest/gtest.h>

#include <string>

#include "FillingFiles.h"
#include "e2e/Input.h"
#include "e2e/WindowWait.h"
#include "recorder/RecordingSession.h"

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
    ASSERT_TRUE(reader.Open("full.vqd", LockedFile::kRead));
    reader.SetQuickPlay(1);
    reader.Restart();
    uint32_t played = 0;
    while (reader.PlayStep())
        ++played;
    EXPECT_EQ(played, summary.records);
    EXPECT_EQ(reader.GetStreamStop(), RecordingFile::StreamStop::End);
}
