#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestFiles.h"
#include "recording/LockedFile.h"
#include "recording/MemoryFiles.h"

namespace {

// Every case runs on the operating system's files and on files in memory.
class LockedFileTest : public ::testing::TestWithParam<bool> {
  protected:
    bool InMemory() const { return GetParam(); }
    std::string Put(const std::string& name, const Bytes& bytes) {
        const std::string path = TempPath(name);
        InMemory() ? memory.Put(path, bytes.data(), bytes.size()) : WriteFile(path, bytes);
        return path;
    }
    Bytes Contents(const std::string& path) {
        const Bytes* bytes = InMemory() ? memory.Find(path) : nullptr;
        return InMemory() ? (bytes ? *bytes : Bytes()) : ReadFile(path);
    }
    MemoryFiles memory;
    LockedFile f{InMemory() ? static_cast<fs::Files&>(memory) : fs::SystemFiles()};
    const std::string ten = Put("ten.bin", Payload(10, 1));
};

INSTANTIATE_TEST_SUITE_P(Files, LockedFileTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Memory" : "System"; });

TEST_P(LockedFileTest, ReadingStopsAtTheKnownSizeAndSeeksClampToTheStart) {
    ASSERT_TRUE(f.Open(Put("empty.bin", {}).c_str(), LockedFile::kRead));
    EXPECT_EQ(f.GetSize(), 0);
    EXPECT_EQ(f.IsEof(), 1);
    ASSERT_TRUE(f.Open(ten.c_str(), LockedFile::kRead));
    EXPECT_EQ(f.GetSize(), 10);
    uint8_t buf[8] = {};
    EXPECT_EQ(f.Write(buf, 1), 0u);  // not open for writing
    EXPECT_EQ(f.IsEof(), 0);
    EXPECT_EQ(f.Seek(8, LockedFile::kBegin), 8);
    EXPECT_EQ(f.Read(buf, 4), 2u);  // 4 asked at 2 before the end
    EXPECT_EQ(buf[0], Payload(10, 1)[8]);
    EXPECT_EQ(f.IsEof(), 1);
    EXPECT_EQ(f.Read(buf, 4), 0u);
    EXPECT_EQ(f.Read(nullptr, 4), 0u);
    EXPECT_FALSE(f.SetSize(4));  // not open for writing
    EXPECT_EQ(f.Tell(), 10);
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
    ASSERT_TRUE(f.Open(ten.c_str(), LockedFile::kRead));  // the second closes the first
    EXPECT_FALSE(f.Open(TempPath("missing").c_str(), LockedFile::kRead));
    EXPECT_EQ(f.Tell(), -1);
}

TEST_P(LockedFileTest, ClosedObjectAnswersNeutrally) {
    EXPECT_EQ(f.Tell(), -1);
    EXPECT_EQ(f.GetSize(), -1);
    EXPECT_EQ(f.IsEof(), 1);
    EXPECT_FALSE(f.Flush());
    EXPECT_FALSE(f.SetSize(0));
    char name[4] = "xyz";
    f.GetName(name);
    EXPECT_EQ(std::string(name, 3), std::string("\0yz", 3));
    uint8_t b = 0;
    EXPECT_EQ(f.Write(&b, 1), 0u);
    EXPECT_FALSE(f.Open(nullptr, LockedFile::kRead));
    EXPECT_FALSE(f.Open(ten.c_str(), 0x20000000));
    const std::string longPath = TempPath(std::string(300, 'a'));
    EXPECT_FALSE(f.Open(longPath.substr(0, LockedFile::kNameSize).c_str(), LockedFile::kWrite));
    EXPECT_EQ(f.GetAccess(), 0u);
}

TEST_P(LockedFileTest, WritingEmptiesAndGrowsTheFile) {
    ASSERT_TRUE(f.Open(ten.c_str(), LockedFile::kWrite));
    EXPECT_EQ(f.GetSize(), 0);
    const Bytes data = Payload(6, 9);
    EXPECT_EQ(f.Write(data.data(), 6), 6u);
    EXPECT_EQ(f.GetSize(), 6);
    EXPECT_EQ(f.IsEof(), 1);
    EXPECT_TRUE(f.Flush());
    uint8_t b = 0;
    EXPECT_EQ(f.Seek(0, LockedFile::kBegin), 0);
    EXPECT_EQ(f.Read(&b, 1), 0u);  // not open for reading
    EXPECT_EQ(f.IsEof(), 0);
    f.Close();
    EXPECT_EQ(Contents(ten), data);

    ASSERT_TRUE(f.Open(ten.c_str(), LockedFile::kReadWrite));
    EXPECT_EQ(f.GetAccess(), LockedFile::kReadWrite);
    EXPECT_EQ(f.Seek(4, LockedFile::kBegin), 4);
    EXPECT_EQ(f.Write(data.data(), 6), 6u);
    EXPECT_EQ(f.GetSize(), 10);
    EXPECT_TRUE(f.SetSize(3));
    EXPECT_EQ(f.Tell(), 3);
    EXPECT_EQ(f.GetSize(), 3);
    EXPECT_TRUE(f.SetSize(3));  // the size it has
    EXPECT_FALSE(f.SetSize(-1));
    EXPECT_EQ(f.Seek(5, LockedFile::kBegin), 5);
    EXPECT_EQ(f.Write(data.data(), 1), 1u);  // the gap reads as zeros
    EXPECT_TRUE(f.SetSize(7));
    char name[LockedFile::kNameSize];
    f.GetName(name);
    EXPECT_EQ(std::string(name), ten);
    f.Close();
    EXPECT_EQ(Contents(ten), (Bytes{data[0], data[1], data[2], 0, 0, data[0], 0}));

    ASSERT_TRUE(f.Open(ten.c_str(), LockedFile::kReadWrite));
    EXPECT_TRUE(f.SetSize(0));
    EXPECT_EQ(f.GetSize(), 0);
    const std::string created = TempPath("created.bin");
    ASSERT_TRUE(f.Open(created.c_str(), LockedFile::kReadWrite));
    EXPECT_EQ(f.GetSize(), 0);
    f.Close();
    EXPECT_TRUE(f.Open(created.c_str(), LockedFile::kRead));
}

TEST(LockedFileOnDisk, FilesOfTwoGibibytesOrMoreAreRefused) {
    LockedFile f;
    const std::string path = TempPath("huge.bin");
    WriteFile(path, Bytes(1, 0));
    std::filesystem::resize_file(path, uintmax_t(1) << 31);  // sparse
    EXPECT_FALSE(f.Open(path.c_str(), LockedFile::kRead));
    std::filesystem::resize_file(path, (uintmax_t(1) << 31) - 1);
    EXPECT_TRUE(f.Open(path.c_str(), LockedFile::kRead));
    EXPECT_EQ(f.GetSize(), 0x7FFFFFFF);
    f.Close();
    std::filesystem::remove(path);
}

}  // namespace
