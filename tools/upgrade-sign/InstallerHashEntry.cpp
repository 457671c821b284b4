#include "InstallerHashEntry.h"

#include <cstring>

#include "upgrade/UpgradeManifest.h"

namespace {
bool IsInstallerHashLine(const std::string& line) {
    size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos ||
        line.compare(at, std::strlen(installerHashKey), installerHashKey))
        return false;
    at = line.find_first_not_of(" \t", at + std::strlen(installerHashKey));
    return at != std::string::npos && line[at] == '=';
}
}  // namespace

std::string WithInstallerHash(const std::string& manifest, const std::string& hex) {
    std::string text;
    for (size_t at = 0; at < manifest.size();) {
        const size_t lineFeed = manifest.find('\n', at);
        const size_t end = lineFeed == std::string::npos ? manifest.size() : lineFeed + 1;
        const std::string line = manifest.substr(at, end - at);
        if (!IsInstallerHashLine(line))
            text += line;
        at = end;
    }
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    return text + installerHashKey + "=" + hex + "\n";
}
