#include "DownloadTestFolder.h"

#include "upgrade/CreateDirectoryPath.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

void RemoveFolderTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolderTree(folder + "\\" + name);
            else
                DeleteFileA((folder + "\\" + name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

DownloadTestFolder::DownloadTestFolder()
{
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    path = std::string(temp) + "qv-download-tests\\" + test->test_suite_name() + "." + test->name();
    RemoveFolderTree(path);
    CreateDirectoryPath(path.c_str(), true);
}

DownloadTestFolder::~DownloadTestFolder()
{
    RemoveFolderTree(path);
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileContent(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

void WriteTestFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

testing::AssertionResult HoldsServedBody(const std::string& path, size_t length)
{
    const std::string content = FileContent(path);
    if (content.size() != length)
        return testing::AssertionFailure() << path << " holds " << content.size() << " bytes, not " << length;
    for (size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(content[i]) != i % 251)
            return testing::AssertionFailure() << path << " differs at byte " << i;
    return testing::AssertionSuccess();
}
