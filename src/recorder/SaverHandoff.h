// A finished recording handed to the screen saver: chosen as its recording
// (the "Path" value of HKEY_CURRENT_USER\Software\Quorvane\Screen Saver), or
// played by it full screen once.
#pragma once
#include <string>

// The full path of file, as the saver needs it whatever its current folder.
std::string FullPath(const std::string& file);

bool UseAsScreenSaver(const std::string& file);

// The saver program: beside this program, else in the system folder; empty
// when neither has it.
std::string FindSaver();

// Starts the saver full screen with file; the saver's chosen recording is
// back as it was once the saver has read it. False with a problem when the
// saver cannot be found or started.
bool PlayInSaver(const std::string& file, std::string& problem);
