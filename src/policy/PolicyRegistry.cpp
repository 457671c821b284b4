#include "policy/PolicyRegistry.h"

#include <windows.h>

namespace {

const char policyKey[] = "Software\\Policies\\Quorvane\\Screen Saver";

// Every value of the key, its data as the ANSI registry functions give it.
SettingsPolicy::Values ReadValues(HKEY root) {
    SettingsPolicy::Values values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, policyKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    DWORD count = 0, longestName = 0, largestData = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &longestName, &largestData, nullptr, nullptr) == ERROR_SUCCESS) {
        std::vector<char> name(longestName + 1);
        std::vector<uint8_t> data(largestData);
        for (DWORD i = 0; i < count; ++i) {
            DWORD nameLength = DWORD(name.size()), size = DWORD(data.size());
            if (RegEnumValueA(key, i, name.data(), &nameLength, nullptr, nullptr,
                              data.empty() ? nullptr : data.data(), &size) == ERROR_SUCCESS)
                values[std::string(name.data(), nameLength)].assign(data.begin(),
                                                                    data.begin() + size);
        }
    }
    RegCloseKey(key);
    return values;
}

}  // namespace

SettingsPolicy ReadSettingsPolicy() {
    SettingsPolicy policy;
    policy.AddLevel(ReadValues(HKEY_LOCAL_MACHINE));
    policy.AddLevel(ReadValues(HKEY_CURRENT_USER));
    return policy;
}
