#include "upgrade/InstallerPackage.h"

#include <cctype>

bool IsInstallerPackage(std::string_view path) {
    const std::string_view extension = ".msi";
    if (path.size() < extension.size())
        return false;
    const std::string_view end = path.substr(path.size() - extension.size());
    for (size_t i = 0; i < extension.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(end[i])) != extension[i])
            return false;
    return true;
}

std::string PackageInstallCommandLine(std::string_view path) {
    return "msiexec /i \"" + std::string(path) + "\"";
}
