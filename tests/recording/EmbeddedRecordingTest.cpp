#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "TestFiles.h"
#include "recording/ExeRecordingFile.h"
#include "recording/SystemServices.h"

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

#ifndef _WIN32
// A stand-in program that notes its first argument in a file beside itself.
std::string StandInProgram(const std::string& path) {
    std::ofstream(path) << "#!/bin/sh\necho \"$1\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.ran\"\n";
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    std::filesystem::remove(path + ".ran");
    return path;
}

std::string WhatItNoted(const std::string& path) {
    for (int i = 0; i < 500 && !std::filesystem::exists(path + ".ran"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const Bytes noted = ReadFile(path + ".ran");
    return std::string(noted.begin(), noted.end());
}

TEST(OpenInPlayer, APlainRecordingGoesToThePlayerBesideTheProgramAnExecutableRunsItself) {
    RecordingFile plain;
    ExeRecordingFile executable;
    EXPECT_FALSE(plain.OpenInPlayer(nullptr));
    EXPECT_FALSE(executable.OpenInPlayer(nullptr));
    const std::string self = sys::ProgramPath();
    const std::string player = StandInProgram(self.substr(0, self.rfind('/') + 1) + "reelora.exe");
    ASSERT_TRUE(plain.OpenInPlayer("/some/recording.vqd"));
    EXPECT_EQ(WhatItNoted(player), " \"/some/recording.vqd\"\n");
    const std::string program = StandInProgram(TempPath("carrier.exe"));
    ASSERT_TRUE(executable.OpenInPlayer(program.c_str()));
    EXPECT_EQ(WhatItNoted(program), "\n");
    std::filesystem::remove(player);
}
#endif

}  // namespace
