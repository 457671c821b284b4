#pragma once
#include <string>

// Starts a downloaded installer without waiting for it: a Windows Installer
// package through msiexec of the system folder (InstallerPackage.h), any
// other file as the program it is. Returns whether a process was created.
bool StartInstaller(const std::string& path);
