// Folder creation, whole-file loading and program start.
#include "DownloadTestFolder.h"

#include "upgrade/CreateDirectoryPath.h"
#include "upgrade/ErrorText.h"
#include "upgrade/LaunchProcess.h"
#include "upgrade/XFile.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {
bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
} // namespace

TEST(CreateDirectoryPath, CreatesEveryLevelAndSucceedsAgain)
{
    DownloadTestFolder folder;
    const std::string path = folder.Path() + "\\T\\qvsstemp\\";
    EXPECT_TRUE(CreateDirectoryPath(path.c_str(), true));
    EXPECT_TRUE(IsFolder(folder.Path() + "\\T"));
    EXPECT_TRUE(IsFolder(folder.Path() + "\\T\\qvsstemp"));
    EXPECT_TRUE(CreateDirectoryPath(path.c_str(), true)) << "existing folders count as created";
}

TEST(CreateDirectoryPath, LastPartIsAFolderOnlyWhenAsked)
{
    DownloadTestFolder folder;
    EXPECT_TRUE(CreateDirectoryPath((folder.Path() + "\\a\\file.txt").c_str(), false));
    EXPECT_TRUE(IsFolder(folder.Path() + "\\a"));
    EXPECT_FALSE(FileExists(folder.Path() + "\\a\\file.txt"));
    EXPECT_TRUE(CreateDirectoryPath((folder.Path() + "\\a\\b").c_str(), true));
    EXPECT_TRUE(IsFolder(folder.Path() + "\\a\\b"));
}

TEST(CreateDirectoryPath, LongPathsAreNotCut)
{
    DownloadTestFolder folder;
    std::string path = folder.Path();
    for (int level = 0; level < 20; ++level)
        path += "\\level-" + std::to_string(level);
    CreateDirectoryPath(path.c_str(), true);
    EXPECT_TRUE(IsFolder(folder.Path() + "\\level-0\\level-1"));
}

TEST(CreateDirectoryPath, NullFailsAndBareNameSucceeds)
{
    EXPECT_FALSE(CreateDirectoryPath(nullptr, true));
    EXPECT_TRUE(CreateDirectoryPath("name", false)) << "nothing to create";
}

TEST(CreateDirectoryPath, FolderThatCannotBeMadeFails)
{
    DownloadTestFolder folder;
    WriteTestFile(folder.File("plain"), "x");
    EXPECT_FALSE(CreateDirectoryPath((folder.File("plain") + "\\below").c_str(), true));
}

TEST(XFile, LoadsTheWholeFile)
{
    DownloadTestFolder folder;
    WriteTestFile(folder.File("manifest.txt"), std::string("version = 1\0binary", 18));
    XFile file;
    ASSERT_TRUE(file.Load(folder.File("manifest.txt").c_str()));
    ASSERT_EQ(file.GetSize(), 18u);
    EXPECT_EQ(std::string(file.GetData(), file.GetSize()), std::string("version = 1\0binary", 18));
}

TEST(XFile, EmptyFileLoadsWithSizeZero)
{
    DownloadTestFolder folder;
    WriteTestFile(folder.File("empty"), "");
    XFile file;
    EXPECT_TRUE(file.Load(folder.File("empty").c_str()));
    EXPECT_EQ(file.GetSize(), 0u);
}

TEST(XFile, MissingFileIsAReadErrorWithoutData)
{
    DownloadTestFolder folder;
    XFile file;
    WriteTestFile(folder.File("there"), "abc");
    ASSERT_TRUE(file.Load(folder.File("there").c_str()));
    EXPECT_FALSE(file.Load(folder.File("absent").c_str()));
    EXPECT_EQ(file.GetSize(), 0u);
    EXPECT_EQ(file.GetData(), nullptr);
    EXPECT_EQ(LastErrorText().substr(0, 18), "Can not read file!");
    EXPECT_NE(LastErrorText().find("absent"), std::string::npos);
    EXPECT_FALSE(file.Load(nullptr));
}

TEST(LaunchProcess, StartsAProgramWithArgumentsAndWaits)
{
    DownloadTestFolder folder;
    const std::string marker = folder.File("marker.txt");
    const std::string arguments = "/c echo started> \"" + marker + "\"";
    EXPECT_TRUE(LaunchProcess("C:\\windows\\system32\\cmd.exe", arguments.c_str(), 30000));
    EXPECT_TRUE(FileExists(marker));
}

TEST(LaunchProcess, LongArgumentsAreNotCut)
{
    DownloadTestFolder folder;
    const std::string marker = folder.File("long.txt");
    const std::string text(600, 'x');
    const std::string arguments = "/c echo " + text + "> \"" + marker + "\"";
    EXPECT_TRUE(LaunchProcess("C:\\windows\\system32\\cmd.exe", arguments.c_str(), 30000));
    EXPECT_EQ(FileContent(marker), text + "\r\n");
}

TEST(LaunchProcess, MissingProgramFails)
{
    EXPECT_FALSE(LaunchProcess("C:\\no\\such\\setup.exe", nullptr, 0));
}
