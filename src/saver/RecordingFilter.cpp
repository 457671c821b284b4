#include "saver/RecordingFilter.h"

#include "recording/RecordingFile.h"

std::string RecordingFileFilter(const std::vector<RecordingFile*>& readers) {
    std::string filter = "All Files (*.*)|*.*|";
    for (RecordingFile* reader : readers) {
        const std::string extension = reader->GetExtension();
        filter += std::string(reader->GetTypeName()) + " (." + extension + ")|*." + extension + "|";
    }
    return filter + "|";
}
