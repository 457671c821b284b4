#pragma once
#include <string>

// The recorder program "grabora.exe" in its folder: a backslash is put
// between a folder and the name when the folder lacks one; an empty folder
// gives the bare name, which is then taken relative to the current folder.
std::string RecorderProgramPath(const std::string& folder);
// The recorder's folder as its installation registered it (the default value
// of HKEY_LOCAL_MACHINE\Software\Quorvane\Screen Recorder, at most 259
// bytes); otherwise this program's own folder with a trailing backslash.
std::string RecorderFolder();
