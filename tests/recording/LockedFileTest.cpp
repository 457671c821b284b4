#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestFiles.h"
#include "recording/LockedFile.h"
#include "recording/MemoryFiles.h"

namespace {

// Every case runs on the operating system's files and on files in memory,
// which must give the same results.
enum class Backing { System, Memory };

class LockedFileTest : public ::testing::TestWithParam<Backing> {
  protected:
    fs::Files& Files() { return GetParam() == Backing::Memory ? memory : fs::SystemFiles(); }
    std::string Put(const std::string& name, const Bytes& bytes) {
        const std::string path = TempPath(name);
        if (GetParam() == Backing::Memory)
            memory.Put(path, bytes.data(), bytes.size());
        else
            WriteFile(path, bytes);
        return path;
    }
    Bytes Contents(const std::string& path) {
        if (GetParam() == Backing::System)
            return ReadFile(path);
        const Bytes* bytes = memory.Find(path);
        return bytes ? *bytes : Bytes();
    }
    std::string TenBytes() { return Put("ten.bin", Payload(10, 1)); }

    MemoryFiles memory;
    LockedFile f{Files()};
};

INSTANTIATE_TEST_SUITE_P(Files, LockedFileTest, ::testing::Values(Backing::System, Backing::Memory),
                         [](const auto& info) {
                             return info.param == Backing::System ? "System" : "Memory";
                         });

TEST_P(LockedFileTest, ReadStopsAtTheKnownSize) {
    ASSERT_TRUE(f.Open(Put("empty.bin", {}).c_str(), LockedFile::kRead));
    EXPECT_EQ(f.GetSize(), 0);
    EXPECT_EQ(f.IsEof(), 1);
    ASSERT_TRUE(f.Open(TenBytes().c_str(), LockedFile::kRead));
    EXPECT_EQ(f.GetSize(), 10);
    EXPECT_EQ(f.IsEof(), 0);
    uint8_t buf[8] = {};
    EXPECT_EQ(f.Write(buf, 1), 0u);  // not open for writing
    EXPECT_EQ(f.IsEof(), 0);
    EXPECT_EQ(f.Seek(8, LockedFile::kBegin), 8);
    EXPECT_EQ(f.Read(buf, 4), 2u);  // 4 asked at 2 before the end
    EXPECT_EQ(buf[0], Payload(10, 1)[8]);
    EXPECT_EQ(f.IsEof(), 1);
    EXPECT_EQ(f.Tell(), 10);
    EXPECT_EQ(f.Read(buf, 4), 0u);  // at the end
    EXPECT_EQ(f.Tell(), 10);
    EXPECT_EQ(f.Read(nullptr, 4), 0u);
    EXPECT_FALSE(f.SetSize(4));  // not open for writing
    EXPECT_EQ(f.Tell(), 10);
    f.Close();
}

TEST_P(LockedFileTest, SeekClampsToTheStart) {
    ASSERT_TRUE(f.Open(TenBytes().c_str(), LockedFile::kRead));
    const struct {
        int32_t offset;
        int method;
        int32_t reached, eof;
    } seeks[] = {{-4, LockedFile::kEnd, 6, 0},    {0, LockedFile::kEnd, 10, 1},
                 {-20, LockedFile::kEnd, 0, 0},   {-5, LockedFile::kBegin, 0, 0},
                 {3, LockedFile::kCurrent, 3, 0}, {-9, LockedFile::kCurrent, 0, 0},
                 {15, LockedFile::kBegin, 15, 1}, {0, 7, -1, 1}};
    for (const auto& s : seeks) {
        EXPECT_EQ(f.Seek(s.offset, s.method), s.reached) << s.offset << " " << s.method;
        EXPECT_EQ(f.IsEof(), s.eof) << s.offset << " " << s.method;
    }
}

TEST_P(LockedFileTest, ClosedObjectAnswersNeutrally) {
    EXPECT_EQ(f.Tell(), -1);
    EXPECT_EQ(f.GetSize(), -1);
    EXPECT_EQ(f.GetAccess(), 0u);
    EXPECT_EQ(f.IsEof(), 1);
    EXPECT_FALSE(f.Flush());
    EXPECT_FALSE(f.SetSize(0));
    char name[4] = "xyz";
    f.GetName(name);
    EXPECT_EQ(std::string(name, 3), std::string("\0yz", 3));
    uint8_t b = 0;
    EXPECT_EQ(f.Write(&b, 1), 0u);
    EXPECT_FALSE(f.Open(nullptr, LockedFile::kRead));
    EXPECT_FALSE(f.Open(TempPath("missing").c_str(), LockedFile::kRead));
    EXPECT_FALSE(f.Open(TenBytes().c_str(), 0x20000000));
    const std::string longPath = TempPath(std::string(300, 'a'));
    EXPECT_FALSE(f.Open(longPath.substr(0, LockedFile::kNameSize).c_str(), LockedFile::kWrite));
    EXPECT_EQ(f.GetAccess(), 0u);
}

TEST_P(LockedFileTest, WritingEmptiesAndGrowsTheFile) {
    const std::string path = TenBytes();
    ASSERT_TRUE(f.Open(path.c_str(), LockedFile::kWrite));
    EXPECT_EQ(f.GetSize(), 0);
    EXPECT_EQ(f.IsEof(), 1);
    const Bytes data = Payload(6, 9);
    EXPECT_EQ(f.Write(data.data(), 6), 6u);
    EXPECT_EQ(f.GetSize(), 6);
    EXPECT_EQ(f.IsEof(), 1);
    EXPECT_TRUE(f.Flush());
    uint8_t b = 0;
    EXPECT_EQ(f.Seek(0, LockedFile::kBegin), 0);
    EXPECT_EQ(f.Read(&b, 1), 0u);  // not open for reading
    EXPECT_EQ(f.Tell(), 0);
    EXPECT_EQ(f.IsEof(), 0);
    f.Close();
    EXPECT_EQ(Contents(path), data);

    ASSERT_TRUE(f.Open(path.c_str(), LockedFile::kReadWrite));
    EXPECT_EQ(f.GetAccess(), LockedFile::kReadWrite);
    EXPECT_EQ(f.Seek(4, LockedFile::kBegin), 4);
    EXPECT_EQ(f.Write(data.data(), 6), 6u);
    EXPECT_EQ(f.GetSize(), 10);
    EXPECT_TRUE(f.SetSize(3));
    EXPECT_EQ(f.Tell(), 3);
    EXPECT_EQ(f.GetSize(), 3);
    EXPECT_TRUE(f.SetSize(3));
    EXPECT_FALSE(f.SetSize(-1));
    EXPECT_EQ(f.Seek(5, LockedFile::kBegin), 5);
    EXPECT_EQ(f.Write(data.data(), 1), 1u);  // the gap reads as zeros
    EXPECT_TRUE(f.SetSize(7));
    f.Close();
    EXPECT_EQ(Contents(path), (Bytes{data[0], data[1], data[2], 0, 0, data[0], 0}));

    const std::string created = TempPath("created.bin");
    ASSERT_TRUE(f.Open(path.c_str(), LockedFile::kReadWrite));
    EXPECT_TRUE(f.SetSize(0));
    EXPECT_EQ(f.GetSize(), 0);
    ASSERT_TRUE(f.Open(created.c_str(), LockedFile::kReadWrite));
    EXPECT_EQ(f.GetSize(), 0);
    f.Close();
    EXPECT_TRUE(f.Open(created.c_str(), LockedFile::kRead));
}

TEST_P(LockedFileTest, OpeningASecondPathClosesTheFirst) {
    const std::string first = TenBytes();
    const std::string second = Put("second.bin", Payload(3, 5));
    ASSERT_TRUE(f.Open(first.c_str(), LockedFile::kRead));
    ASSERT_TRUE(f.Open(second.c_str(), LockedFile::kRead));
    char name[LockedFile::kNameSize];
    f.GetName(name);
    EXPECT_EQ(std::string(name), second);
    EXPECT_EQ(f.GetSize(), 3);
    // A failed open leaves the object closed.
    EXPECT_FALSE(f.Open(TempPath("missing").c_str(), LockedFile::kRead));
    EXPECT_EQ(f.Tell(), -1);
}

// Calls that LockedFile never makes: pointer moves before the start fail,
// beyond the end they are allowed; writing to a file opened for reading fails.
TEST_P(LockedFileTest, CallsLockedFileNeverMakes) {
    fs::Files& files = Files();
    const fs::Handle h =
        files.Open(TenBytes().c_str(), LockedFile::kRead, fs::Disposition::OpenExisting);
    ASSERT_NE(h, fs::kInvalidHandle);
    const struct {
        int32_t offset;
        int method;
        int64_t reached;
    } moves[] = {{3, 0, 3},
                 {-5, 1, -1},
                 {-12, 2, -1},
                 {-3, 0, -1},
                 {0, 3, -1},
                 {0x7FFFFFFF, 0, 0x7FFFFFFF},
                 {0x7FFFFFFF, 1, 0xFFFFFFFE},
                 {1, 1, 0xFFFFFFFF}};
    for (const auto& m : moves)
        EXPECT_EQ(files.SetPointer(h, m.offset, m.method), m.reached)
            << m.offset << " " << m.method;
    uint32_t done = 1;
    EXPECT_FALSE(files.Write(h, &done, 1, &done));  // not open for writing
    EXPECT_EQ(done, 0u);
    files.Close(h);
}

TEST(LockedFileOnDisk, FilesOfTwoGibibytesOrMoreAreRefused) {
    LockedFile f;
    const std::string path = TempPath("huge.bin");
    WriteFile(path, Bytes(1, 0));
    std::filesystem::resize_file(path, uintmax_t(1) << 31);  // sparse
    EXPECT_FALSE(f.Open(path.c_str(), LockedFile::kRead));
    EXPECT_EQ(f.GetSize(), -1);
    std::filesystem::resize_file(path, (uintmax_t(1) << 31) - 1);
    EXPECT_TRUE(f.Open(path.c_str(), LockedFile::kRead));
    EXPECT_EQ(f.GetSize(), 0x7FFFFFFF);
    f.Close();
    std::filesystem::remove(path);
}

}  // namespace
