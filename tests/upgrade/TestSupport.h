#pragma once
#include "e2e/TestProcess.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string FileContent(const std::string& path) {
    return (std::ostringstream() << std::ifstream(path, std::ios::binary).rdbuf()).str();
}

inline bool WriteTestFile(const std::string& path, const std::string& content) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    return static_cast<bool>(std::ofstream(path, std::ios::binary) << content);
}

// The scripted HTTP server that tests/harness/with-http-server.sh runs beside
// these tests (its scenarios are listed in tests/harness/http-test-server.py).
namespace test_server {
inline std::string HostAndPort() {
    return std::string("127.0.0.1:") + std::getenv("QV_TEST_HTTP_PORT");
}
// A file below the served folder (Windows takes its slashes as backslashes).
inline std::string File(const std::string& path) {
    return e2e::WindowsPath(std::getenv("QV_TEST_HTTP_ROOT")) + "\\" + path;
}
// How many requests the server had for the path (with its leading slash).
inline int RequestCount(std::string path) {
    std::replace(path.begin(), path.end(), '/', '_');
    return std::atoi(FileContent(File("count/" + path)).c_str());
}
}  // namespace test_server

// An empty folder below the temp folder, removed with its files when the
// object goes away.
struct TestFolder {
    TestFolder() {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TestFolder() { std::filesystem::remove_all(path); }
    std::string File(const std::string& name) const { return path + "\\" + name; }

    const std::string path = (std::filesystem::temp_directory_path() / "qv-upgrade-test").string();
};

// A manifest or its signature ("NAME.txt", "NAME.txt.sig") as signed at build
// time from tests/upgrade/manifests, and the stand-in installer they name.
inline std::string SignedFile(const std::string& name) {
    return FileContent(e2e::WindowsPath(QV_SIGNED_MANIFESTS "/" + name));
}
inline std::string TestInstaller() {
    return FileContent(e2e::WindowsPath(QV_TEST_INSTALLER_PATH));
}
