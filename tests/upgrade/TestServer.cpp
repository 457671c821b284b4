#include "TestServer.h"

#include "e2e/TestProcess.h"
#include "upgrade/CreateDirectoryPath.h"

#include <windows.h>
#include <wininet.h>

#include <cstdlib>
#include <fstream>

namespace {
std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The body of a GET straight to the server, whatever the proxy settings say.
std::string Get(const std::string& path)
{
    std::string body;
    HINTERNET session = InternetOpenA("test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET request = session ? InternetOpenUrlA(session, test_server::Url(path).c_str(), nullptr, 0,
                                                   INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0)
                                : nullptr;
    char buffer[512];
    DWORD bytesRead = 0;
    while (request && InternetReadFile(request, buffer, sizeof buffer, &bytesRead) && bytesRead > 0)
        body.append(buffer, bytesRead);
    if (request)
        InternetCloseHandle(request);
    if (session)
        InternetCloseHandle(session);
    return body;
}

std::string LocalPath(const std::string& path)
{
    std::string local = test_server::RootFolder() + "\\" + path;
    for (char& c : local)
        if (c == '/')
            c = '\\';
    return local;
}
} // namespace

namespace test_server {

std::string HostAndPort()
{
    return "127.0.0.1:" + Environment("QV_TEST_HTTP_PORT");
}

std::string Url(const std::string& path)
{
    return "http://" + HostAndPort() + "/" + path;
}

std::string RootFolder()
{
    return e2e::WindowsPath(Environment("QV_TEST_HTTP_ROOT"));
}

bool PutFile(const std::string& path, const std::string& content)
{
    const std::string local = LocalPath(path);
    CreateDirectoryPath(local.c_str(), false);
    std::ofstream file(local, std::ios::binary | std::ios::trunc);
    file << content;
    return file.good();
}

bool RemoveFile(const std::string& path)
{
    return DeleteFileA(LocalPath(path).c_str()) != FALSE;
}

void OpenGate(const std::string& gate)
{
    Get("control/open/" + gate);
}

int RequestCount(const std::string& path)
{
    return std::atoi(Get("control/count" + path).c_str());
}

} // namespace test_server
