#include "upgrade/InternetSession.h"

namespace {
const DWORD timeoutMs = 10000;
const DWORD connectAttempts = 10;

const DWORD cachedRequestFlags = INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_RESYNCHRONIZE |
                                 INTERNET_FLAG_HYPERLINK | INTERNET_FLAG_NO_UI |
                                 INTERNET_FLAG_NEED_FILE;
const DWORD uncachedRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                   INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_HYPERLINK |
                                   INTERNET_FLAG_NO_UI | INTERNET_FLAG_PRAGMA_NOCACHE;

void SetNumberOption(HINTERNET session, DWORD option, DWORD value) {
    InternetSetOptionA(session, option, &value, sizeof value);
}
}  // namespace

InternetSession::InternetSession(const std::string& userAgent)
    : handle(InternetOpenA(userAgent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)) {
    if (!handle)
        return;
    SetNumberOption(handle, INTERNET_OPTION_CONNECT_TIMEOUT, timeoutMs);
    SetNumberOption(handle, INTERNET_OPTION_CONNECT_RETRIES, connectAttempts);
    SetNumberOption(handle, INTERNET_OPTION_SEND_TIMEOUT, timeoutMs);
    SetNumberOption(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, timeoutMs);
    SetNumberOption(handle, INTERNET_OPTION_DATA_SEND_TIMEOUT, timeoutMs);
    SetNumberOption(handle, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, timeoutMs);
}

InternetSession::~InternetSession() {
    if (handle)
        InternetCloseHandle(handle);
}

HINTERNET InternetSession::OpenUrl(const std::string& url, bool useCache) const {
    return InternetOpenUrlA(handle, url.c_str(), nullptr, 0,
                            useCache ? cachedRequestFlags : uncachedRequestFlags, 0);
}
