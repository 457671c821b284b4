#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

// The scripted HTTP server that tests/harness/with-http-server.sh runs beside
// these tests (its scenarios are listed in tests/harness/http-test-server.py).
namespace test_server {
// "127.0.0.1:PORT", for the proxy settings.
std::string HostAndPort();
// http://127.0.0.1:PORT/ followed by path (without its leading slash).
std::string Url(const std::string& path);
// Writes or removes a file below the served folder; path with slashes.
bool PutFile(const std::string& path, const std::string& content);
bool RemoveFile(const std::string& path);
void OpenGate(const std::string& gate);
// How many requests the server had for the path (with its leading slash).
int RequestCount(const std::string& path);
}  // namespace test_server

// The current user's WinINet proxy for the life of the object: the server,
// or none when it is empty. The earlier values come back after.
class ProxySetting {
  public:
    explicit ProxySetting(const std::string& server);
    ~ProxySetting();
    ProxySetting(const ProxySetting&) = delete;
    ProxySetting& operator=(const ProxySetting&) = delete;

  private:
    struct Saved {
        const char* name;
        bool existed;
        DWORD type;
        std::vector<BYTE> data;
    } saved[2] = {{"ProxyEnable", false, 0, {}}, {"ProxyServer", false, 0, {}}};
};

// An empty folder of the test's own below the temp folder (Path without a
// trailing backslash), removed with its files when the object goes away.
class DownloadTestFolder {
  public:
    DownloadTestFolder();
    ~DownloadTestFolder();
    DownloadTestFolder(const DownloadTestFolder&) = delete;
    DownloadTestFolder& operator=(const DownloadTestFolder&) = delete;
    const std::string& Path() const { return path; }
    std::string File(const std::string& name) const { return path + "\\" + name; }

  private:
    std::string path;
};

// Deletes a folder with everything in it.
void RemoveFolderTree(const std::string& folder);
bool FileExists(const std::string& path);
bool IsEmptyOrMissing(const std::string& folder);
void WriteTestFile(const std::string& path, const std::string& content);
// The whole content of a file; empty when it cannot be read.
std::string FileContent(const std::string& path);
// A manifest or its signature ("NAME.txt", "NAME.txt.sig") as signed at build
// time from tests/upgrade/manifests, or another file written beside them.
std::string SignedFile(const std::string& name);
// The bytes of the stand-in installer.
std::string TestInstaller();
// Whether the file holds exactly the bytes the test server sends for a body
// of the length (without printing them all when it does not).
testing::AssertionResult HoldsServedBody(const std::string& path, size_t length);
