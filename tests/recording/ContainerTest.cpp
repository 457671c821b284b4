#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ReaderTest.h"
#include "recording/RecordingFile.h"

namespace {

class ContainerTest : public ReaderTest {
  protected:
    const std::vector<TestRecord> three = {
        {199, Payload(17, 1)}, {40, Payload(5, 2)}, {0, Payload(9, 3)}};
};

// A recording with bytes added at its end.
Bytes Plus(Bytes recording, const Bytes& tail) {
    recording.insert(recording.end(), tail.begin(), tail.end());
    return recording;
}

TEST_F(ContainerTest, OpensAPlainRecording) {
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
        {Plus(one, {1, 2, 3, 4, 5}), Stop::None, 1, Stop::Truncated, 0, true},
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

}  // namespace
