#include "upgrade/StartInstaller.h"

#include "upgrade/InstallerPackage.h"
#include "upgrade/LaunchProcess.h"

#include <windows.h>

bool StartInstaller(const std::string& path) {
    if (!IsInstallerPackage(path))
        return LaunchProcess(path.c_str(), nullptr, 0);
    // The system's own msiexec, never one found in the current folder.
    char folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length > MAX_PATH)
        return false;
    const std::string msiexec = std::string(folder) + "\\msiexec.exe";
    return LaunchCommandLine(msiexec.c_str(), PackageInstallCommandLine(path), 0);
}
