#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FillingFiles.h"
#include "ReaderTest.h"
#include "recording/ExeRecordingFile.h"

namespace {

class ContainerTest : public ReaderTest {
  protected:
    const std::vector<TestRecord> three = {
        {199, Payload(17, 1)}, {40, Payload(5, 2)}, {0, Payload(9, 3)}};
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

// A recording with bytes added at its end.
Bytes Plus(Bytes recording, const Bytes& tail) {
    recording.insert(recording.end(), tail.begin(), tail.end());
    return recording;
}

// A recording opens; what is shorter than its prefix does not, and a failed
// header load keeps the header.
TEST_F(ContainerTest, OpensAPlainRecording) {
    for (const Bytes& bytes : {Bytes{'V', 'Q', 'D'}, Bytes()})
        EXPECT_FALSE(Open(bytes)) << bytes.size();
    r.SetTitle("kept");
    EXPECT_FALSE(r.LoadHeaderFrom(TempPath("missing.vqd").c_str()));
    EXPECT_EQ(TitleOf(r), "kept");
    ASSERT_TRUE(Open(MakeRecording(three, 10, 50, "Demo")));
    EXPECT_TRUE(r.IsOpen());
    EXPECT_EQ(r.GetDataStart(), 344u);
    EXPECT_EQ(r.GetDataEnd(), 344u + 3 * 8 + 17 + 5 + 9);
    EXPECT_EQ(r.GetFrameRate(), 10u);
    EXPECT_EQ(r.GetSecondaryRate(), 50u);
    EXPECT_EQ(r.GetDurationSeconds(), 27u);
    EXPECT_TRUE(r.HasDuration());
    EXPECT_EQ(TitleOf(r), "Demo");
    EXPECT_FALSE(r.IsPlaying());
    EXPECT_FALSE(r.ClearHeader());
    EXPECT_FALSE(r.HasDuration());
    EXPECT_EQ(TitleOf(r), "");
}

// Played with quick play and without auto repeat until nothing more comes.
TEST_F(ContainerTest, TheStreamStopsAtItsEndOrAtTheFirstBadRecord) {
    const Bytes one = MakeRecording({{0, Payload(4, 1)}});
    Bytes lengthBeyond = one;
    lengthBeyond[344 + 4] = 0xFF;
    lengthBeyond[344 + 7] = 0xFF;  // length 0xFF0000FF
    const Bytes header50 = {0, 0, 0, 0, 50, 0, 0, 0};
    using Stop = RecordingFile::StreamStop;
    const struct {
        Bytes bytes;
        Stop before;  // before anything is read
        size_t delivered;
        Stop stop;
        uint32_t sizeQuery;  // what ReadRecord (null, 0) answers at the stop
        bool playing;        // only the end of the data stops playback
    } cases[] = {
        {MakeRecording(three), Stop::None, 3, Stop::End, 9, false},
        {MakeRecording({}), Stop::End, 0, Stop::End, 0, true},
        {Plus(MakeRecording({}), {1, 2, 3, 4, 5}), Stop::Truncated, 0, Stop::Truncated, 0, true},
        {Plus(MakeRecording({}), header50), Stop::None, 0, Stop::Truncated, 50, false},
        {Bytes(one.begin(), one.end() - 1), Stop::None, 0, Stop::Truncated, 0, true},
        {lengthBeyond, Stop::None, 0, Stop::Truncated, 0, true},
        {Plus(one, header50), Stop::None, 1, Stop::Truncated, 50, false},
        {MakeRecording({{0, Payload(4, 1)}, {0, {}}, {0, Payload(4, 2)}}), Stop::None, 1,
         Stop::ZeroLength, 0, true},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        Play(c.bytes);
        EXPECT_EQ(r.GetStreamStop(), c.before) << i;
        size_t delivered = 0;
        while (!Deliver(r).empty())
            ++delivered;
        EXPECT_EQ(delivered, c.delivered) << i;
        EXPECT_EQ(r.GetStreamStop(), c.stop) << i;
        EXPECT_EQ(r.ReadRecord(nullptr, 0), c.sizeQuery) << i;
        uint8_t buffer[64];
        EXPECT_EQ(r.ReadRecord(buffer, sizeof buffer), 0u) << i;
        EXPECT_EQ(r.IsPlaying(), c.playing) << i;
    }
}

TEST(ReadFailure, AFileThatCanNoLongerBeReadStopsPlaying) {
    FillingFiles files;
    RecordingFile reader(files);
    ASSERT_TRUE(reader.Initialize());
    const Bytes bytes = MakeRecording({{0, Payload(4, 1)}, {0, Payload(4, 2)}, {0, Payload(4, 3)}});
    files.memory.Put("breaking.vqd", bytes.data(), bytes.size());
    ASSERT_TRUE(reader.Open("breaking.vqd", LockedFile::kRead));
    reader.SetQuickPlay(1);
    reader.SetAutoRepeat(1);
    reader.Restart();
    EXPECT_FALSE(Deliver(reader).empty());
    files.readsFail = true;
    EXPECT_TRUE(Deliver(reader).empty());
    EXPECT_FALSE(reader.IsPlaying()) << "no retrying for ever at every tick";
    reader.Close();
    reader.Release();
}

TEST_F(ContainerTest, TextFieldsAreBoundedBothWays) {
    const std::string seventy(70, 't');
    r.SetTitle(seventy.c_str());
    EXPECT_EQ(TitleOf(r), seventy.substr(0, 59));
    r.SetTitle(nullptr);
    EXPECT_EQ(TitleOf(r).size(), 59u);
    r.SetDescription(std::string(250, 'd').c_str());
    char description[200];
    r.GetDescription(description);
    EXPECT_EQ(std::strlen(description), 199u);

    // A file whose texts lack their NUL: the getters stop inside the field.
    Bytes bytes = MakeRecording({});
    std::memset(&bytes[8 + 16], 'x', 60 + 60 + 200);
    ASSERT_TRUE(Open(bytes));
    char author[61];
    author[60] = 'z';
    r.GetAuthor(author);
    EXPECT_EQ(std::strlen(author), 59u);
    EXPECT_EQ(author[60], 'z');
}

using ClockTest = ContainerTest;

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
    Start({970, 10, 10, 10});
    r.SetAutoRepeat(1);
    EXPECT_EQ(Tick(0), 0);
    r.Pause();
    EXPECT_EQ(Tick(50), -1);
    r.Resume();
    EXPECT_EQ(Tick(5), -1);
    EXPECT_EQ(Tick(5), 1);
    EXPECT_EQ(Tick(25), 2);
    EXPECT_EQ(Tick(0), 3);
    EXPECT_EQ(r.GetPositionSeconds(), 1u);  // 970 + 3 * 10 ms
    EXPECT_EQ(r.GetPositionMilliseconds(), 0u);
    EXPECT_EQ(Tick(0), -1);
    EXPECT_EQ(Tick(0), 0);
    r.SetQuickPlay(1);
    EXPECT_EQ(Tick(0), 1);
    EXPECT_EQ(Tick(0), 2);
    r.Stop();
    EXPECT_FALSE(r.IsPlaying());
    EXPECT_EQ(Tick(100), -1);
}

TEST(EmbeddedRecordingTest, FindsTheAppendedRecordingAndNeverReadsTheTrailer) {
    const std::vector<TestRecord> records = {{199, Payload(300, 1)}, {50, Payload(20, 2)}};
    Bytes recording = MakeRecording(records, 10, 50);
    recording.insert(recording.end(), {1, 2, 3, 4, 5});  // a record header cut short
    const std::string path = Stored("saver.exe", Embed(Payload(409600, 3), recording));
    EXPECT_TRUE(IsEmbeddedRecording(path.c_str()));
    ExeRecordingFile e;
    ASSERT_TRUE(e.Initialize());
    ASSERT_TRUE(e.Open(path.c_str(), LockedFile::kRead));
    EXPECT_EQ(e.GetEmbeddedStart(), 409600u);
    EXPECT_EQ(e.GetDataStart(), 409944u);
    EXPECT_EQ(e.GetDataEnd(), 409600u + recording.size());
    e.SetQuickPlay(1);
    e.Restart();
    for (const TestRecord& record : records)
        EXPECT_EQ(Deliver(e), record.payload);
    EXPECT_TRUE(Deliver(e).empty());
    EXPECT_EQ(e.GetStreamStop(), RecordingFile::StreamStop::Truncated);
    // A length beyond the file finds a recording at the start.
    e.Close();  // the open file is locked against writing on Windows
    Bytes atStart = Embed({}, MakeRecording(records));
    std::fill(atStart.end() - 8, atStart.end() - 4, 0xFF);
    ASSERT_TRUE(e.Open(Stored("saver.exe", atStart).c_str(), LockedFile::kRead));
    EXPECT_EQ(e.GetEmbeddedStart() + e.GetDataStart(), 344u);
    e.Close();
}

TEST(EmbeddedRecordingTest, WhatIsNotAnExecutableWithARecordingIsRefused) {
    const Bytes host = Payload(4096, 3), recording = MakeRecording({{1, Payload(20, 2)}});
    Bytes zeroLength = Embed(host, recording), tooLong = zeroLength;
    std::fill(zeroLength.end() - 8, zeroLength.end() - 4, 0);
    std::fill(tooLong.end() - 8, tooLong.end() - 4, 0xFF);  // lands on offset 0: the host's bytes
    const Bytes prefixOnly(recording.begin(), recording.begin() + 200);
    const std::pair<Bytes, bool> cases[] = {// the bytes, whether they end in the trailer's magic
                                            {recording, false},
                                            {host, false},
                                            {{'V', 'Q'}, false},
                                            {zeroLength, true},
                                            {tooLong, true},
                                            {{'V', 'Q', 'D', ' '}, true},
                                            {Embed(host, prefixOnly), true}};
    ExeRecordingFile e;
    ASSERT_TRUE(e.Initialize());
    for (const auto& [bytes, trailer] : cases) {
        const std::string path = Stored("saver.exe", bytes);
        EXPECT_EQ(IsEmbeddedRecording(path.c_str()), trailer) << bytes.size();
        EXPECT_FALSE(e.Open(path.c_str(), LockedFile::kRead)) << bytes.size();
    }
    const std::string missing = TempPath("missing.exe");
    EXPECT_FALSE(IsEmbeddedRecording(missing.c_str()));
    EXPECT_FALSE(e.Open(missing.c_str(), LockedFile::kRead));
    EXPECT_FALSE(e.IsOpen());
}

}  // namespace
