#pragma once
#include <windows.h>
#include <wininet.h>

// An open URL request of an InternetSession, closed with the object.
class InternetRequest {
  public:
    explicit InternetRequest(HINTERNET handle) : handle(handle) {}
    ~InternetRequest();
    InternetRequest(const InternetRequest&) = delete;
    InternetRequest& operator=(const InternetRequest&) = delete;

    bool IsOpen() const { return handle != nullptr; }
    // The response's status code, or previous when it cannot be read.
    unsigned Status(unsigned previous) const;
    // The Content-Length header's value; -1 when it is missing or not a number.
    int ContentLength() const;
    // Reads up to size bytes of the body; bytesRead 0 means its end.
    bool Read(char* buffer, DWORD size, DWORD& bytesRead) const;

  private:
    bool QueryText(DWORD what, char* text, DWORD size) const;

    HINTERNET handle;
};
