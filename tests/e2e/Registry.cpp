#include "e2e/Registry.h"

namespace e2e {

bool ReadRaw(const std::string& key, const std::string& name, DWORD& type, std::vector<BYTE>& data,
             HKEY root) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG status = RegQueryValueExA(handle, name.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        data.assign(size, 0);
        status = RegQueryValueExA(handle, name.c_str(), nullptr, &type, data.data(), &size);
        data.resize(size);
    }
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

std::optional<DWORD> ReadDword(const std::string& key, const std::string& name, HKEY root) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadRaw(key, name, type, data, root) || type != REG_DWORD || data.size() != sizeof(DWORD))
        return std::nullopt;
    return *reinterpret_cast<const DWORD*>(data.data());
}

std::optional<std::string> ReadString(const std::string& key, const std::string& name, HKEY root) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadRaw(key, name, type, data, root) || type != REG_SZ)
        return std::nullopt;
    std::string text(data.begin(), data.end());
    return text.substr(0, text.find('\0'));
}

bool WriteRaw(const std::string& key, const std::string& name, DWORD type,
              const std::vector<BYTE>& data, HKEY root) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG status =
        RegSetValueExA(handle, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

bool WriteDword(const std::string& key, const std::string& name, DWORD value, HKEY root) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
    return WriteRaw(key, name, REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof value), root);
}

bool WriteString(const std::string& key, const std::string& name, const std::string& value,
                 HKEY root) {
    std::vector<BYTE> data(value.begin(), value.end());
    data.push_back(0);
    return WriteRaw(key, name, REG_SZ, data, root);
}

bool DeleteKeyTree(const std::string& key, HKEY root) {
    LONG status = RegDeleteTreeA(root, key.c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
        RegDeleteKeyA(root, key.c_str());
        return true;
    }
    return false;
}

bool KeyExists(const std::string& key, HKEY root) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

}  // namespace e2e
