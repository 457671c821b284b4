#include "upgrade/UrlFileName.h"

#include <windows.h>
#include <wininet.h>

std::string UrlFileName(const std::string& url) {
    URL_COMPONENTSA parts = {};
    parts.dwStructSize = sizeof parts;
    // Non-zero lengths without buffers ask for pointers into the URL itself.
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    if (!InternetCrackUrlA(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts) ||
        !parts.lpszUrlPath)
        return std::string();
    const std::string path(parts.lpszUrlPath, parts.dwUrlPathLength);
    size_t separator = path.rfind('\\');
    if (separator == std::string::npos)
        separator = path.rfind('/');
    return separator == std::string::npos ? path : path.substr(separator + 1);
}
