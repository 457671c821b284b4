#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The current user's WinINet proxy settings for the life of the object:
// enabled with a server, or disabled. The earlier values come back after.
class ProxySetting {
public:
    // An empty server disables the proxy.
    explicit ProxySetting(const std::string& server);
    ~ProxySetting();
    ProxySetting(const ProxySetting&) = delete;
    ProxySetting& operator=(const ProxySetting&) = delete;

private:
    struct SavedValue {
        bool existed;
        DWORD type;
        std::vector<BYTE> data;
    };
    SavedValue enable;
    SavedValue server;
};
