#include <gtest/gtest.h>

#include <string>

#include "TestFiles.h"
#include "recording/ExeRecordingFile.h"

namespace {

// Writes records through the writing side, each after the given delay.
void WriteRecording(RecordingFile& w, FakeClock& clock, const std::string& path,
                    const std::vector<TestRecord>& records) {
    ASSERT_TRUE(w.Open(path.c_str(), LockedFile::kWrite));
    for (const TestRecord& rec : records) {
        clock.now += rec.delay;
        ASSERT_EQ(w.WriteRecord(rec.payload.data(), uint32_t(rec.payload.size())),
                  rec.payload.size());
    }
    w.Close();
}

std::vector<Bytes> ReadAll(RecordingFile& r, const std::string& path) {
    std::vector<Bytes> out;
    if (!r.Open(path.c_str(), LockedFile::kRead))
        return out;
    r.SetQuickPlay(1);
    r.Restart();
    for (Bytes b = Deliver(r); !b.empty(); b = Deliver(r))
        out.push_back(b);
    r.Close();
    return out;
}

class WriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (RecordingFile* f : {&w, &r}) {
            f->SetClockSource(clock.Source());
            ASSERT_TRUE(f->Initialize());
        }
        w.SetCaptureEngine(&engine);
        w.SetQuality(9);  // no bit budget
    }
    FakeClock clock;
    FakeCaptureEngine engine;
    RecordingFile w, r;
    const std::vector<TestRecord> records = {
        {0, Payload(30, 1)}, {600, Payload(8, 2)}, {400, Payload(3, 3)}};
    const std::vector<Bytes> payloads = {Payload(30, 1), Payload(8, 2), Payload(3, 3)};
};

TEST_F(WriterTest, WritesARecordingThatReadsBack) {
    const std::string path = TempPath("written.vqd");
    w.SetTitle("Written");
    WriteRecording(w, clock, path, records);
    ASSERT_TRUE(r.Open(path.c_str(), LockedFile::kRead));
    EXPECT_EQ(r.GetFrameRate(), 12u);
    EXPECT_EQ(r.GetSecondaryRate(), 40u);
    EXPECT_EQ(r.GetDurationSeconds(), 1u);
    EXPECT_EQ(r.GetDurationMilliseconds(), 0u);
    EXPECT_TRUE(r.HasDuration());
    EXPECT_EQ(TitleOf(r), "Written");
    r.Close();
    EXPECT_EQ(ReadAll(r, path), payloads);
    EXPECT_EQ(engine.sampleRate, 44100u);  // quality 9 is above the default
}

TEST_F(WriterTest, WritingNeedsARecordingEngineAndRoomBelowTheLimit) {
    RecordingFile idle;
    EXPECT_FALSE(idle.Open(TempPath("idle.vqd").c_str(), LockedFile::kWrite));
    EXPECT_EQ(idle.WriteRecord(nullptr, 4), 0u);
    EXPECT_FALSE(idle.RecordStep());

    ASSERT_TRUE(w.Open(TempPath("limit.vqd").c_str(), LockedFile::kWrite));
    EXPECT_TRUE(w.RecordStep()) << "an engine that captured nothing";
    w.SetMaxFileSize(344);
    const Bytes payload = Payload(5, 1);
    EXPECT_EQ(w.WriteRecord(payload.data(), 5),
              5u);  // the file has reached the limit, not passed it
    EXPECT_EQ(w.WriteRecord(payload.data(), 5), 0u);
    w.Close();
}

TEST_F(WriterTest, TheBitBudgetDropsWhatExceedsTheQuality) {
    w.SetQuality(1);  // allowed: 16 bpp * 12 fps * 1 * 100 * 100 / 384 = 5000 bits/s
    EXPECT_EQ(engine.sampleRate, 22050u);
    const std::string path = TempPath("budget.vqd");
    ASSERT_TRUE(w.Open(path.c_str(), LockedFile::kWrite));
    const Bytes small = Payload(125, 1), big = Payload(1000, 2);
    EXPECT_EQ(w.WriteRecord(small.data(), 125), 0u);  // no time accumulated
    clock.now += 200;
    EXPECT_EQ(w.WriteRecord(big.data(), 1000), 0u);     // 40000 bits/s
    EXPECT_EQ(w.WriteRecord(small.data(), 125), 125u);  // 1000 bits in 200 ms: just the budget
    w.Close();
    EXPECT_EQ(ReadAll(r, path), std::vector<Bytes>{small});
}

TEST_F(WriterTest, AppendRecordingJoinsStreamsAndHeaders) {
    const std::string target = TempPath("target.vqd"), source = TempPath("source.vqd");
    WriteFile(target, MakeRecording({{0, Payload(10, 1)}}, 10, 20));
    WriteFile(source, Embed(Payload(4096, 9),
                            MakeRecording({{500, Payload(7, 2)}, {700, Payload(8, 3)}}, 5, 60)));
    RecordingFile a;
    ASSERT_TRUE(a.Initialize());
    ASSERT_TRUE(a.AppendRecording(target.c_str(), source.c_str()));
    ASSERT_TRUE(r.Open(target.c_str(), LockedFile::kRead));
    EXPECT_EQ(r.GetFrameRate(), 10u);
    EXPECT_EQ(r.GetSecondaryRate(), 60u);
    EXPECT_EQ(r.GetDurationSeconds(), 28u);  // 27.015 s + 1.2 s
    EXPECT_EQ(r.GetDurationMilliseconds(), 215u);
    r.Close();
    const std::vector<Bytes> joined = {Payload(10, 1), Payload(7, 2), Payload(8, 3)};
    EXPECT_EQ(ReadAll(r, target), joined);
    WriteFile(source, MakeRecording({}));
    EXPECT_TRUE(a.AppendRecording(target.c_str(), source.c_str())) << "nothing to add";
    EXPECT_EQ(ReadAll(r, target), joined);
}

TEST_F(WriterTest, AFailedAppendLeavesTheTargetAsItWas) {
    const std::string target = TempPath("kept.vqd"), source = TempPath("broken.vqd");
    const Bytes original = MakeRecording({{0, Payload(10, 1)}});
    WriteFile(target, original);
    Bytes payloadCut = MakeRecording({{0, Payload(6, 2)}, {0, Payload(40, 3)}});
    payloadCut.resize(payloadCut.size() - 10);
    Bytes headerCut = MakeRecording({{0, Payload(6, 2)}});
    headerCut.insert(headerCut.end(), {1, 2, 3});
    RecordingFile a;
    ASSERT_TRUE(a.Initialize());
    for (const Bytes& broken :
         {payloadCut, headerCut, MakeRecording({{0, Payload(6, 2)}, {0, {}}})}) {
        WriteFile(source, broken);
        EXPECT_FALSE(a.AppendRecording(target.c_str(), source.c_str()));
        EXPECT_EQ(ReadFile(target), original);
    }
    EXPECT_FALSE(a.AppendRecording(target.c_str(), TempPath("none").c_str()));
    EXPECT_FALSE(a.AppendRecording(TempPath("none").c_str(), target.c_str()));
    EXPECT_FALSE(a.AppendRecording(nullptr, target.c_str()));
    EXPECT_FALSE(a.AppendRecording(target.c_str(), nullptr));
    EXPECT_EQ(ReadFile(target), original);
}

TEST_F(WriterTest, AnExecutableCarriesWhatItRecords) {
    const std::string host = TempPath("host.exe"), out = TempPath("carrier.exe");
    WriteFile(host, Payload(5000, 7));
    ExeRecordingFile e;
    e.SetClockSource(clock.Source());
    ASSERT_TRUE(e.Initialize());
    EXPECT_FALSE(e.Open(out.c_str(), LockedFile::kWrite)) << "no engine";
    e.SetCaptureEngine(&engine);
    e.SetQuality(9);
    EXPECT_FALSE(e.SetHostPath(nullptr));
    EXPECT_FALSE(e.SetHostPath(std::string(260, 'h').c_str()));
    ASSERT_TRUE(e.SetHostPath(TempPath("none.exe").c_str()));
    EXPECT_FALSE(e.Open(out.c_str(), LockedFile::kWrite)) << "no host";
    ASSERT_TRUE(e.SetHostPath(host.c_str()));
    WriteRecording(e, clock, out, records);
    const Bytes bytes = ReadFile(out);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 5000), Payload(5000, 7));
    EXPECT_TRUE(IsEmbeddedRecording(out.c_str()));
    ExeRecordingFile reader;
    ASSERT_TRUE(reader.Initialize());
    EXPECT_EQ(ReadAll(reader, out), payloads);
    ASSERT_TRUE(reader.LoadHeaderFrom(out.c_str()));
    EXPECT_EQ(reader.GetDurationSeconds(), 1u);
}

}  // namespace
