#include "policy/SettingsPolicy.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr size_t kLargestText = 259;  // bytes, the terminating zero included
constexpr char kUpgradeCheck[] = "Upgrade check";

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

const std::vector<uint8_t>* Find(const SettingsPolicy::Values& level, const std::string& name) {
    for (const auto& [stored, data] : level)
        if (SameName(stored, name))
            return &data;
    return nullptr;
}

}  // namespace

void SettingsPolicy::AddLevel(const Values& values) {
    levels.push_back(values);
}

std::optional<std::string> SettingsPolicy::Text(const std::string& name) const {
    for (const Values& level : levels)
        if (const std::vector<uint8_t>* data = Find(level, name);
            data && data->size() <= kLargestText) {
            const auto end = std::find(data->begin(), data->end(), uint8_t(0));
            return std::string(data->begin(), end);
        }
    return std::nullopt;
}

std::optional<uint32_t> SettingsPolicy::Number(const std::string& name) const {
    for (const Values& level : levels)
        if (const std::vector<uint8_t>* data = Find(level, name); data && data->size() == 4) {
            const std::vector<uint8_t>& b = *data;
            return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                   uint32_t(b[3]) << 24;
        }
    return std::nullopt;
}

bool SettingsPolicy::AllowsUpgradeCheck() const {
    return Number(kUpgradeCheck).value_or(1) != 0;
}
