// A downloaded installer that is a Windows Installer package: it does not run
// by itself but through the system's msiexec, as `msiexec /i "<file>"`.
#pragma once
#include <string>
#include <string_view>

// Whether the file's name ends in ".msi", in any case.
bool IsInstallerPackage(std::string_view path);
// The command line that installs the package, the program's name first.
std::string PackageInstallCommandLine(std::string_view path);
