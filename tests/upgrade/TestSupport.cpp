#include "TestSupport.h"

#include "e2e/Registry.h"
#include "e2e/TestProcess.h"
#include "upgrade/CreateDirectoryPath.h"

#include <wininet.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
const char* const internetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The body of a GET straight to the test server, whatever the proxy settings say.
std::string Get(const std::string& path) {
    std::string body;
    HINTERNET session = InternetOpenA("test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET request = InternetOpenUrlA(session, test_server::Url(path).c_str(), nullptr, 0,
                                         INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
    char buffer[512];
    DWORD bytesRead = 0;
    while (request && InternetReadFile(request, buffer, sizeof buffer, &bytesRead) && bytesRead > 0)
        body.append(buffer, bytesRead);
    InternetCloseHandle(request);
    InternetCloseHandle(session);
    return body;
}

// The Windows path of a file below the served folder.
std::string ServedFile(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return e2e::WindowsPath(Environment("QV_TEST_HTTP_ROOT")) + "\\" + path;
}
}  // namespace

namespace test_server {
std::string HostAndPort() {
    return "127.0.0.1:" + Environment("QV_TEST_HTTP_PORT");
}

std::string Url(const std::string& path) {
    return "http://" + HostAndPort() + "/" + path;
}

bool PutFile(const std::string& path, const std::string& content) {
    CreateDirectoryPath(ServedFile(path).c_str(), false);
    return static_cast<bool>(std::ofstream(ServedFile(path), std::ios::binary) << content);
}

bool RemoveFile(const std::string& path) {
    return DeleteFileA(ServedFile(path).c_str()) != FALSE;
}

void OpenGate(const std::string& gate) {
    Get("control/open/" + gate);
}

int RequestCount(const std::string& path) {
    return std::atoi(Get("control/count" + path).c_str());
}
}  // namespace test_server

ProxySetting::ProxySetting(const std::string& server) {
    for (Saved& value : saved)
        value.existed = e2e::ReadRaw(internetSettings, value.name, value.type, value.data);
    e2e::WriteDword(internetSettings, saved[0].name, server.empty() ? 0 : 1);
    e2e::WriteString(internetSettings, saved[1].name, server);
}

ProxySetting::~ProxySetting() {
    for (const Saved& value : saved)
        if (value.existed)
            e2e::WriteRaw(internetSettings, value.name, value.type, value.data);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, internetSettings, value.name);
}

DownloadTestFolder::DownloadTestFolder() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    path = std::string(temp) + "qv-download-tests\\" + test->test_suite_name() + "." + test->name();
    std::replace(path.begin(), path.end(), '/', '-');  // in the names of parameterised tests
    RemoveFolderTree(path);
    CreateDirectoryPath(path.c_str(), true);
}

DownloadTestFolder::~DownloadTestFolder() {
    RemoveFolderTree(path);
}

void RemoveFolderTree(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsEmptyOrMissing(const std::string& folder) {
    std::error_code ignored;
    return std::filesystem::is_empty(folder, ignored) || !FileExists(folder);
}

std::string FileContent(const std::string& path) {
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

void WriteTestFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::string SignedFile(const std::string& name) {
    return FileContent(e2e::WindowsPath(QV_SIGNED_MANIFESTS "/" + name));
}

std::string TestInstaller() {
    return FileContent(e2e::WindowsPath(QV_TEST_INSTALLER_PATH));
}

testing::AssertionResult HoldsServedBody(const std::string& path, size_t length) {
    const std::string content = FileContent(path);
    if (content.size() != length)
        return testing::AssertionFailure()
               << path << " holds " << content.size() << " bytes, not " << length;
    for (size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(content[i]) != i % 251)
            return testing::AssertionFailure() << path << " differs at byte " << i;
    return testing::AssertionSuccess();
}
