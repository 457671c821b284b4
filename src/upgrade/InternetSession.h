#pragma once
#include <windows.h>
#include <wininet.h>

#include <string>

// A WinINet session with the downloader's network time-outs (10 s for
// connecting, sending and receiving, 10 connection attempts), using the
// system's proxy settings.
class InternetSession {
  public:
    explicit InternetSession(const std::string& userAgent);
    ~InternetSession();
    InternetSession(const InternetSession&) = delete;
    InternetSession& operator=(const InternetSession&) = delete;

    bool IsOpen() const { return handle != nullptr; }
    // A request for the URL; useCache chooses cache-friendly flags, otherwise
    // the answer always comes from the server. Null on failure.
    HINTERNET OpenUrl(const std::string& url, bool useCache) const;

  private:
    HINTERNET handle;
};
