#include "DownloadTestFolder.h"

#include "upgrade/CreateDirectoryPath.h"

#include <windows.h>

#include <fstream>
#include <sstream>

void RemoveFolderTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        const std::string name = found.cFileName, path = folder + "\\" + name;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveFolderTree(path);
        else
            DeleteFileA(path.c_str());
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    RemoveDirectoryA(folder.c_str());
}

DownloadTestFolder::DownloadTestFolder()
{
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    path = std::string(temp) + "qv-download-tests\\" + test->test_suite_name() + "." + test->name();
    for (size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/'))
        path[slash] = '-'; // parameterised tests
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
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
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
