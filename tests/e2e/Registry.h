#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Values of the registry of the Wine prefix, for preparing and inspecting
// what programs under test read and write. Keys are below HKEY_CURRENT_USER
// unless a root is given.
std::optional<DWORD> ReadDword(const std::string& key, const std::string& name,
                               HKEY root = HKEY_CURRENT_USER);
std::optional<std::string> ReadString(const std::string& key, const std::string& name,
                                      HKEY root = HKEY_CURRENT_USER);
bool WriteRaw(const std::string& key, const std::string& name, DWORD type,
              const std::vector<BYTE>& data, HKEY root = HKEY_CURRENT_USER);
bool WriteDword(const std::string& key, const std::string& name, DWORD value,
                HKEY root = HKEY_CURRENT_USER);
bool WriteString(const std::string& key, const std::string& name, const std::string& value,
                 HKEY root = HKEY_CURRENT_USER);
// Removes a key with everything below it; true also when it did not exist.
bool DeleteKeyTree(const std::string& key, HKEY root = HKEY_CURRENT_USER);

}  // namespace e2e
