#pragma once
#include <string>
#include <vector>

class RecordingFile;

// The open-file dialog's filter for recordings: "All Files (*.*)" first, then
// one entry per reader in order, "<type name> (.<ext>)|*.<ext>|", the whole
// ending with "|".
std::string RecordingFileFilter(const std::vector<RecordingFile*>& readers);
