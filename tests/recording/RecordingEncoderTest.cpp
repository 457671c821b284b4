// What a recording being written looks like to a player: whole records only,
// at every moment, whatever stops the writer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FillingFiles.h"
#include "FrameUpdateBuilder.h"
#include "TestFiles.h"
#include "recording/RecordingEncoder.h"

namespace {

constexpr int kSide = 16;

// Frame n: noise that no move explains, so that each record is new pixels.
Bytes Pixels(uint32_t n) {
    Bytes pixels(kSide * kSide * 4);
    uint32_t seed = n * 2654435761u + 1;
    for (uint8_t& b : pixels) {
        seed = seed * 1103515245u + 12345u;
        b = uint8_t(seed >> 16);
    }
    return pixels;
}

const uint32_t kTimes[] = {0, 100, 250, 400, 1500, 1600};

}  // namespace

// While the writer runs the header gives no duration and every record so far
// plays; the file cut anywhere, as a killed writer leaves it, plays up to the
// last whole record before the cut. Finish writes the duration.
TEST(RecordingEncoder, TheFilePlaysUpToItsLastWholeRecordAtAnyMoment) {
    const std::string path = TempPath("growing.vqd");
    const Bytes info = BitmapInfo(kSide, -kSide, 32);
    vqd::RecordingEncoder encoder;
    ASSERT_TRUE(encoder.Create(path.c_str(), {10, 50, "Growing", "", ""}));
    // The file as it is while the writer holds it (a copy: Windows lets no
    // other handle read a file that is open for writing).
    MemoryFiles memory;
    RecordingFile copyReader(memory);
    ASSERT_TRUE(copyReader.Initialize());
    std::vector<uint32_t> recordEnds;
    for (uint32_t i = 0; i < std::size(kTimes); ++i) {
        const Bytes pixels = Pixels(i);
        ASSERT_TRUE(encoder.AddFrame(
            {info.data(), pixels.data(), {0, 0, kSide, kSide}, {2, 3}, 0, 0}, kTimes[i]));
        const Bytes sofar = ReadFile(path);
        recordEnds.push_back(uint32_t(sofar.size()));
        memory.Put("sofar.vqd", sofar.data(), sofar.size());
        const PlayedRecording played = PlayThrough(copyReader, "sofar.vqd");
        EXPECT_EQ(played.delays.size(), i + 1);
        EXPECT_EQ(played.durationMs, 0u) << "no duration before the end";
    }
    const Bytes whole = ReadFile(path);
    for (uint32_t size = vqd::kDataOffset; size < whole.size(); ++size) {
        memory.Put("cut.vqd", whole.data(), size);
        const size_t wholeRecords = size_t(
            std::upper_bound(recordEnds.begin(), recordEnds.end(), size) - recordEnds.begin());
        ASSERT_EQ(PlayThrough(copyReader, "cut.vqd").delays.size(), wholeRecords) << size;
    }
    ASSERT_TRUE(encoder.Finish());
    RecordingFile reader;
    ASSERT_TRUE(reader.Initialize());
    const PlayedRecording finished = PlayThrough(reader, path.c_str());
    EXPECT_EQ(finished.delays, (std::vector<uint32_t>{0, 100, 150, 150, 1100, 100}));
    EXPECT_EQ(finished.durationMs, 1600u);
}

// A write that fails part-way leaves the stream at the last whole record,
// reports itself, and the header written at the end counts only the records
// in the file. Records are put on the disk once a second of recording.
TEST(RecordingEncoder, AFullDiskEndsTheStreamWithTheLastWholeRecord) {
    const Bytes info = BitmapInfo(kSide, -kSide, 32);
    // The first record does not fit at all; the sixth does not fit.
    for (auto [capacity, fitting] :
         {std::pair<uint64_t, uint32_t>{vqd::kDataOffset + 8 + 100, 0}, {6300, 5}}) {
        SCOPED_TRACE(capacity);
        FillingFiles files;
        files.capacity = capacity;
        vqd::RecordingEncoder encoder(files);
        ASSERT_TRUE(encoder.Create("full.vqd", {}));
        uint32_t written = 0, lastTime = 0;
        for (uint32_t time : kTimes) {
            const Bytes pixels = Pixels(time);
            if (!encoder.AddFrame({info.data(), pixels.data(), {0, 0, kSide, kSide}, {}, 0, 0},
                                  time))
                break;
            ++written;
            lastTime = time;
        }
        EXPECT_TRUE(encoder.WriteFailed());
        ASSERT_EQ(written, fitting);
        EXPECT_EQ(encoder.RecordCount(), written);
        ASSERT_TRUE(encoder.Finish());
        RecordingFile reader(files.memory);
        ASSERT_TRUE(reader.Initialize());
        const PlayedRecording played = PlayThrough(reader, "full.vqd");
        EXPECT_EQ(played.delays.size(), written);
        EXPECT_FALSE(played.cutShort) << "what reached the disk of the failed record is gone";
        EXPECT_EQ(played.durationMs, lastTime);
        EXPECT_EQ(files.flushes, written == 5 ? 1 : 0) << "at 1.5 s";
    }
}

// Frames that change nothing write no record, but their time is not lost: the
// last of them ends the recording with a record that only restates the pointer.
TEST(RecordingEncoder, AnUnchangedEndStillCountsInTheDelaysAndTheDuration) {
    const std::string path = TempPath("still.vqd");
    const Bytes info = BitmapInfo(kSide, -kSide, 32), pixels = Pixels(1);
    vqd::RecordingEncoder encoder;
    ASSERT_TRUE(encoder.Create(path.c_str(), {}));
    for (uint32_t time : {30u, 130u, 230u, 2030u})
        ASSERT_TRUE(encoder.AddFrame(
            {info.data(), pixels.data(), {0, 0, kSide, kSide}, {5, 6}, 1, 0}, time));
    EXPECT_EQ(encoder.RecordCount(), 1u);
    ASSERT_TRUE(encoder.Finish());
    EXPECT_EQ(encoder.RecordCount(), 2u);
    RecordingFile reader;
    ASSERT_TRUE(reader.Initialize());
    const PlayedRecording played = PlayThrough(reader, path.c_str());
    EXPECT_EQ(played.delays, (std::vector<uint32_t>{30, 2000}));
    EXPECT_EQ(played.durationMs, 2030u);
}

// Frames are refused before Create and after Finish, and so is a capture
// rectangle outside the picture, which is no write failure.
TEST(RecordingEncoder, FramesOutsideARecordingOrItsPictureAreRefused) {
    const std::string path = TempPath("refused.vqd");
    const Bytes info = BitmapInfo(kSide, -kSide, 32), pixels = Pixels(2);
    const vqd::EncoderFrame inside{info.data(), pixels.data(), {0, 0, kSide, kSide}, {}, 0, 0};
    vqd::RecordingEncoder encoder;
    EXPECT_FALSE(encoder.AddFrame(inside, 0)) << "before Create";
    EXPECT_FALSE(encoder.Finish());
    ASSERT_TRUE(encoder.Create(path.c_str(), {}));
    vqd::EncoderFrame outside = inside;
    outside.captureRect.right = kSide + 1;
    EXPECT_FALSE(encoder.AddFrame(outside, 0));
    EXPECT_FALSE(encoder.WriteFailed());
    EXPECT_TRUE(encoder.AddFrame(inside, 100));
    EXPECT_TRUE(encoder.Finish());
    EXPECT_FALSE(encoder.Finish()) << "finished once";
    EXPECT_FALSE(encoder.AddFrame(inside, 200)) << "after Finish";
    EXPECT_EQ(encoder.RecordCount(), 1u);
}
