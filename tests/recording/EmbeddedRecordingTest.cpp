#include <gtest/gtest.h>

#include <string>

#include "TestFiles.h"
#include "recording/ExeRecordingFile.h"

namespace {

std::string Store(const Bytes& bytes) {
    const std::string path = TempPath("saver.exe");
    WriteFile(path, bytes);
    return path;
}

TEST(EmbeddedRecordingTest, FindsTheAppendedRecordingAndNeverReadsTheTrailer) {
    const std::vector<TestRecord> records = {{199, Payload(300, 1)}, {50, Payload(20, 2)}};
    Bytes recording = MakeRecording(records, 10, 50);
    recording.insert(recording.end(), {1, 2, 3, 4, 5});  // a record header cut short
    const std::string path = Store(Embed(Payload(409600, 3), recording));
    EXPECT_TRUE(IsEmbeddedRecording(path.c_str()));
    ExeRecordingFile e, header;
    ASSERT_TRUE(e.Initialize() && header.Initialize());
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
    ASSERT_TRUE(header.LoadHeaderFrom(path.c_str()));
    EXPECT_EQ(header.GetFrameRate(), 10u);
    EXPECT_EQ(header.GetDurationSeconds(), 27u);
    // A length beyond the file finds a recording at the start.
    Bytes atStart = Embed({}, MakeRecording(records));
    std::fill(atStart.end() - 8, atStart.end() - 4, 0xFF);
    ASSERT_TRUE(e.Open(Store(atStart).c_str(), LockedFile::kRead));
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
        const std::string path = Store(bytes);
        EXPECT_EQ(IsEmbeddedRecording(path.c_str()), trailer) << bytes.size();
        EXPECT_FALSE(e.Open(path.c_str(), LockedFile::kRead)) << bytes.size();
    }
    const std::string missing = TempPath("missing.exe");
    EXPECT_FALSE(IsEmbeddedRecording(missing.c_str()));
    EXPECT_FALSE(e.Open(missing.c_str(), LockedFile::kRead));
    EXPECT_FALSE(e.IsOpen());
}

}  // namespace
