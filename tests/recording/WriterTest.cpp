#include <gtest/gtest.h>

#include <string>

#include "TestFiles.h"

namespace {

// The payloads of every record, as a player reads them.
std::vector<Bytes> ReadAll(RecordingFile& reader, const std::string& path) {
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

TEST(Writer, AppendRecordingJoinsStreamsAndHeadersOrLeavesTheTarget) {
    const std::vector<Bytes> payloads = {Payload(30, 1), Payload(8, 2), Payload(3, 3)};
    const std::string target = TempPath("target.vqd"), source = TempPath("source.vqd");
    WriteFile(target, MakeRecording({{0, payloads[0]}}, 10, 20));
    WriteFile(source, Embed(Payload(4096, 9),
                            MakeRecording({{500, payloads[1]}, {700, payloads[2]}}, 5, 60)));
    RecordingFile w, r;
    ASSERT_TRUE(w.Initialize());
    ASSERT_TRUE(r.Initialize());
    ASSERT_TRUE(w.AppendRecording(target.c_str(), source.c_str()));
    ASSERT_TRUE(r.Open(target.c_str(), LockedFile::kRead));
    EXPECT_EQ(r.GetFrameRate() * 100 + r.GetSecondaryRate(), 1060u);
    EXPECT_EQ(r.GetDurationSeconds() * 1000 + r.GetDurationMilliseconds(), 28215u);  // + 1.2 s
    r.Close();
    EXPECT_EQ(ReadAll(r, target), payloads);
    WriteFile(source, MakeRecording({}));
    EXPECT_TRUE(w.AppendRecording(target.c_str(), source.c_str())) << "nothing to add";
    const Bytes joined = ReadFile(target);
    EXPECT_EQ(ReadAll(r, target), payloads);

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
    r.Release();
    w.Release();
}

}  // namespace
