#include "upgrade/InternetRequest.h"

#include "upgrade/HttpHeaderValues.h"

namespace {
const DWORD headerTextSize = 260;
}  // namespace

InternetRequest::~InternetRequest() {
    if (handle)
        InternetCloseHandle(handle);
}

unsigned InternetRequest::Status(unsigned previous) const {
    char text[headerTextSize];
    return QueryText(HTTP_QUERY_STATUS_CODE, text, sizeof text) ? ParseStatusCode(text) : previous;
}

int InternetRequest::ContentLength() const {
    char text[headerTextSize];
    return QueryText(HTTP_QUERY_CONTENT_LENGTH, text, sizeof text) ? ParseContentLength(text) : -1;
}

bool InternetRequest::Read(char* buffer, DWORD size, DWORD& bytesRead) const {
    bytesRead = 0;
    return InternetReadFile(handle, buffer, size, &bytesRead) != FALSE;
}

bool InternetRequest::QueryText(DWORD what, char* text, DWORD size) const {
    DWORD length = size - 1;
    if (!HttpQueryInfoA(handle, what, text, &length, nullptr))
        return false;
    text[length < size ? length : size - 1] = '\0';
    return true;
}
