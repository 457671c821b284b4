// Folder creation, whole-file loading and program start.
#include "TestSupport.h"

#include "upgrade/CreateDirectoryPath.h"
#include "upgrade/ErrorText.h"
#include "upgrade/LaunchProcess.h"
#include "upgrade/XFile.h"

#include <gtest/gtest.h>

namespace {
bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

TEST(CreateDirectoryPath, CreatesNestedFoldersAndSucceedsOnExistingOnes) {
    DownloadTestFolder folder;
    const std::string base = folder.Path();
    const std::string path = base + "\\T\\qvsstemp\\";
    EXPECT_TRUE(CreateDirectoryPath(path.c_str(), true));
    EXPECT_TRUE(IsFolder(base + "\\T\\qvsstemp"));
    EXPECT_TRUE(CreateDirectoryPath(path.c_str(), true)) << "existing folders count as created";
    // The last part is a folder only when asked.
    EXPECT_TRUE(CreateDirectoryPath((base + "\\a\\file.txt").c_str(), false));
    EXPECT_TRUE(IsFolder(base + "\\a"));
    EXPECT_FALSE(FileExists(base + "\\a\\file.txt"));
    EXPECT_TRUE(CreateDirectoryPath((base + "\\a\\b").c_str(), true));
    EXPECT_TRUE(IsFolder(base + "\\a\\b"));
    std::string deep = base;
    for (int level = 0; level < 20; ++level)
        deep += "\\level-" + std::to_string(level);
    CreateDirectoryPath(deep.c_str(), true);
    EXPECT_TRUE(IsFolder(base + "\\level-0\\level-1")) << "long paths are not cut";
    EXPECT_FALSE(CreateDirectoryPath(nullptr, true));
    EXPECT_TRUE(CreateDirectoryPath("name", false)) << "nothing to create";
    WriteTestFile(folder.File("plain"), "x");
    EXPECT_FALSE(CreateDirectoryPath((folder.File("plain") + "\\below").c_str(), true));
}

TEST(XFile, LoadsWholeFilesAndFailsOnMissingOnes) {
    DownloadTestFolder folder;
    XFile file;
    for (const std::string& content : {std::string("version = 1\0binary", 18), std::string()}) {
        WriteTestFile(folder.File("manifest.txt"), content);
        ASSERT_TRUE(file.Load(folder.File("manifest.txt").c_str()));
        ASSERT_EQ(file.GetSize(), content.size());
        EXPECT_EQ(std::string(file.GetData(), file.GetSize()), content);
    }
    WriteTestFile(folder.File("there"), "abc");
    ASSERT_TRUE(file.Load(folder.File("there").c_str()));
    EXPECT_FALSE(file.Load(folder.File("absent").c_str()));
    EXPECT_EQ(file.GetSize(), 0u);
    EXPECT_EQ(file.GetData(), nullptr);
    EXPECT_EQ(LastErrorText().substr(0, 18), "Can not read file!");
    EXPECT_NE(LastErrorText().find("absent"), std::string::npos);
    EXPECT_FALSE(file.Load(nullptr));
}

TEST(LaunchProcess, StartsAProgramWithLongArgumentsAndWaits) {
    DownloadTestFolder folder;
    const std::string marker = folder.File("long.txt");
    const std::string text(600, 'x');
    const std::string arguments = "/c echo " + text + "> \"" + marker + "\"";
    EXPECT_TRUE(LaunchProcess("C:\\windows\\system32\\cmd.exe", arguments.c_str(), 30000));
    EXPECT_EQ(FileContent(marker), text + "\r\n");
    EXPECT_FALSE(LaunchProcess("C:\\no\\such\\setup.exe", nullptr, 0));
}
