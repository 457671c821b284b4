// What the File info dialog says of a folder of recordings: its name, how
// many of its files have a recording's header, their total length, and the
// frame rate of the first in name order.
#pragma once
#include <cstdint>
#include <string>

class RecordingFile;

struct FolderSummary {
    std::string name;
    int recordings = 0;
    uint32_t totalSeconds = 0;
    uint32_t firstFrameRate = 0;
};

// Reads the headers with the two readers, each file with the one its content asks for.
FolderSummary SummariseFolder(const std::string& folder, RecordingFile& vqdReader,
                              RecordingFile& exeReader);
