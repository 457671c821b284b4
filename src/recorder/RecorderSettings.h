// The choices of the recorder's window, remembered per user under
// HKEY_CURRENT_USER\Software\Quorvane\Screen Recorder.
#pragma once
#include <windows.h>

#include <string>

#include "recorder/RecorderCommandLine.h"

struct RecorderSettings {
    enum Area { kWholeScreen = 0, kOneMonitor = 1, kRectangle = 2 };
    int area = kWholeScreen;
    int monitor = 0;  // index in the list of monitors
    RECT rectangle = {};
    int framesPerSecond = int(kDefaultFramesPerSecond);
    int recordPointer = 1;
    int recordClicks = 1;
    std::string file;
    std::string title, author, description;

    // Missing or unreadable values keep what the fields hold.
    void Load();
    bool Save() const;
};
