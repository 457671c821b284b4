#pragma once
#include <gtest/gtest.h>

#include <string>

// An empty folder of the test's own below the temp folder, removed with its
// files when the object goes away.
class DownloadTestFolder {
public:
    DownloadTestFolder();
    ~DownloadTestFolder();
    DownloadTestFolder(const DownloadTestFolder&) = delete;
    DownloadTestFolder& operator=(const DownloadTestFolder&) = delete;

    // Without a trailing backslash.
    const std::string& Path() const { return path; }
    std::string File(const std::string& name) const { return path + "\\" + name; }

private:
    std::string path;
};

// Deletes a folder with everything in it.
void RemoveFolderTree(const std::string& folder);
bool FileExists(const std::string& path);
void WriteTestFile(const std::string& path, const std::string& content);
// The whole content of a file; empty when it cannot be read.
std::string FileContent(const std::string& path);
// Whether the file holds exactly the bytes the test server sends for a body
// of the length (without printing them all when it does not).
testing::AssertionResult HoldsServedBody(const std::string& path, size_t length);
