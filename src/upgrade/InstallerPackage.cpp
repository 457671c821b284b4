#include "upgrade/InstallerPackage.h"

#include <algorithm>
#include <cctype>

bool IsInstallerPackage(std::string_view path) {
    const std::string_view extension = ".msi";
    return path.size() >= extension.size() &&
           std::equal(extension.begin(), extension.end(), path.end() - extension.size(),
                      [](char wanted, char given) {
                          return wanted == std::tolower(static_cast<unsigned char>(given));
                      });
}

std::string PackageInstallCommandLine(std::string_view path) {
    return "msiexec /i \"" + std::string(path) + "\"";
}
