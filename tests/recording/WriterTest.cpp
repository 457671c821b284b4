#include <gtest/gtest.h>

#include <string>

#include "TestFiles.h"
#include "recording/ExeRecordingFile.h"

namespace {

class WriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (RecordingFile* f : {&w, &r, static_cast<RecordingFile*>(&e)}) {
            f->SetClockSource(clock.Source());
            ASSERT_TRUE(f->Initialize());
            f->SetCaptureEngine(&engine);
            f->SetQuality(9);  // no bit budget
        }
    }
    // Writes the records through the writing side, each after its delay.
    void Write(RecordingFile& writer, const std::string& path) {
        ASSERT_TRUE(writer.Open(path.c_str(), LockedFile::kWrite));
        for (size_t i = 0; i < payloads.size(); ++i) {
            clock.now += delays[i];
            ASSERT_EQ(writer.WriteRecord(payloads[i].data(), uint32_t(payloads[i].size())),
                      payloads[i].size());
        }
        writer.Close();
    }
    std::vector<Bytes> ReadAll(const std::string& path, RecordingFile& reader) {
        std::vector<Bytes> out;
        if (reader.Open(path.c_str(), LockedFile::kRead)) {
            reader.SetQuickPlay(1);
            reader.Restart();
            for (Bytes b = Deliver(reader); !b.empty(); b = Deliver(reader))
                out.push_back(b);
        }
        reader.Close();
        return out;
    }
    std::vector<Bytes> ReadAll(const std::string& path) { return ReadAll(path, r); }
    FakeClock clock;
    FakeCaptureEngine engine;
    RecordingFile w, r;
    ExeRecordingFile e;
    const std::vector<Bytes> payloads = {Payload(30, 1), Payload(8, 2), Payload(3, 3)};
    const uint32_t delays[3] = {0, 600, 400};
};

TEST_F(WriterTest, AnExecutableCarriesWhatItRecords) {
    const std::string host = TempPath("host.exe"), out = TempPath("carrier.exe");
    WriteFile(host, Payload(5000, 7));
    e.SetCaptureEngine(nullptr);
    EXPECT_FALSE(e.Open(out.c_str(), LockedFile::kWrite)) << "no engine";
    e.SetCaptureEngine(&engine);
    EXPECT_FALSE(e.SetHostPath(nullptr));
    EXPECT_FALSE(e.SetHostPath(std::string(260, 'h').c_str()));
    ASSERT_TRUE(e.SetHostPath(TempPath("none.exe").c_str()));
    EXPECT_FALSE(e.Open(out.c_str(), LockedFile::kWrite)) << "no host";
    ASSERT_TRUE(e.SetHostPath(host.c_str()));
    e.SetTitle("Written");
    Write(e, out);
    EXPECT_EQ(engine.sampleRate, 44100u);  // quality 9 is above the default
    const Bytes bytes = ReadFile(out);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 5000), Payload(5000, 7));
    EXPECT_TRUE(IsEmbeddedRecording(out.c_str()));
    ExeRecordingFile reader;
    ASSERT_TRUE(reader.Initialize());
    EXPECT_EQ(ReadAll(out, reader), payloads);
    ASSERT_TRUE(reader.LoadHeaderFrom(out.c_str()));
    EXPECT_EQ(reader.GetFrameRate() * 100 + reader.GetSecondaryRate(), 1240u);
    EXPECT_EQ(reader.GetDurationSeconds() * 1000 + reader.GetDurationMilliseconds(), 1000u);
    EXPECT_TRUE(reader.HasDuration());
    EXPECT_EQ(TitleOf(reader), "Written");
}

TEST_F(WriterTest, AppendRecordingJoinsStreamsAndHeadersOrLeavesTheTarget) {
    const std::string target = TempPath("target.vqd"), source = TempPath("source.vqd");
    WriteFile(target, MakeRecording({{0, payloads[0]}}, 10, 20));
    WriteFile(source, Embed(Payload(4096, 9),
                            MakeRecording({{500, payloads[1]}, {700, payloads[2]}}, 5, 60)));
    ASSERT_TRUE(w.AppendRecording(target.c_str(), source.c_str()));
    ASSERT_TRUE(r.Open(target.c_str(), LockedFile::kRead));
    EXPECT_EQ(r.GetFrameRate() * 100 + r.GetSecondaryRate(), 1060u);
    EXPECT_EQ(r.GetDurationSeconds() * 1000 + r.GetDurationMilliseconds(), 28215u);  // + 1.2 s
    r.Close();
    EXPECT_EQ(ReadAll(target), payloads);
    WriteFile(source, MakeRecording({}));
    EXPECT_TRUE(w.AppendRecording(target.c_str(), source.c_str())) << "nothing to add";
    const Bytes joined = ReadFile(target);
    EXPECT_EQ(ReadAll(target), payloads);

    Bytes payloadCut = MakeRecording({{0, Payload(6, 2)}, {0, Payload(40, 3)}});
    payloadCut.resize(payloadCut.size() - 10);
    Bytes headerCut = MakeRecording({{0, Payload(6, 2)}});
    headerCut.insert(headerCut.end(), {1, 2, 3});
    for (const Bytes& broken :
         {payloadCut, headerCut, MakeRecording({{0, Payload(6, 2)}, {0, {}}})}) {
        WriteFile(source, broken);
        EXPECT_FALSE(w.AppendRecording(target.c_str(), source.c_str())) << broken.size();
    }
    const std::string none = TempPath("none");
    EXPECT_FALSE(w.AppendRecording(target.c_str(), none.c_str()));
    EXPECT_FALSE(w.AppendRecording(none.c_str(), target.c_str()));
    EXPECT_FALSE(w.AppendRecording(nullptr, target.c_str()));
    EXPECT_FALSE(w.AppendRecording(target.c_str(), nullptr));
    EXPECT_EQ(ReadFile(target), joined);
}

}  // namespace
