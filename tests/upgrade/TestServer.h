#pragma once
#include <string>

// The scripted HTTP server that tests/harness/with-http-server.sh runs beside
// these tests (its scenarios are listed in tests/harness/http-test-server.py).
namespace test_server {

// http://127.0.0.1:PORT/ followed by path (without its leading slash).
std::string Url(const std::string& path);
// "127.0.0.1:PORT", for the proxy settings.
std::string HostAndPort();
// The Windows path of the folder the server serves files from.
std::string RootFolder();
// Writes a file under the served folder; path with slashes, e.g. "a/b.txt".
bool PutFile(const std::string& path, const std::string& content);
bool RemoveFile(const std::string& path);

void OpenGate(const std::string& gate);
// How many requests the server had for the path (with its leading slash).
int RequestCount(const std::string& path);

} // namespace test_server
