#include "saver/FolderSummary.h"

#include <algorithm>
#include <vector>

#include "recording/ExeRecordingFile.h"
#include "saver/FolderRecordings.h"
#include "saver/NaturalOrder.h"

FolderSummary SummariseFolder(const std::string& folder, RecordingFile& vqdReader,
                              RecordingFile& exeReader) {
    FolderSummary summary;
    const size_t end = folder.find_last_not_of("\\/");
    const std::string trimmed = folder.substr(0, end == std::string::npos ? 0 : end + 1);
    summary.name = trimmed.substr(trimmed.find_last_of("\\/:") + 1);
    std::vector<std::string> names = FolderRecordings(folder);
    std::sort(names.begin(), names.end(), NaturalLess);
    uint64_t milliseconds = 0;
    for (const std::string& name : names) {
        const std::string path = InFolder(folder, name);
        RecordingFile& reader = IsEmbeddedRecording(path.c_str()) ? exeReader : vqdReader;
        if (!reader.LoadHeaderFrom(path.c_str()))
            continue;
        if (summary.recordings++ == 0)
            summary.firstFrameRate = reader.GetFrameRate();
        milliseconds +=
            uint64_t(reader.GetDurationSeconds()) * 1000 + reader.GetDurationMilliseconds();
    }
    summary.totalSeconds = uint32_t(std::min<uint64_t>(milliseconds / 1000, UINT32_MAX));
    return summary;
}
