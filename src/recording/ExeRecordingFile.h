// A recording appended to an executable: the host image, a complete
// recording, then the trailer {u32 length of the recording, "VQD "}, and in a
// program signed since, its certificate table (AppendedTrailer.h).
#pragma once
#include "recording/RecordingFile.h"

class ExeRecordingFile : public RecordingFile {
  public:
    using RecordingFile::RecordingFile;
    ~ExeRecordingFile() override = default;

    const char* GetTypeName() override { return "EXE file"; }
    const char* GetExtension() override { return "exe"; }
    bool Open(const char* path, uint32_t access) override;
    void Close() override;
    bool OpenInPlayer(const char* path) override;

    // The executable copied in front of a recording being created.
    bool SetHostPath(const char* path);
    uint32_t GetEmbeddedStart() const { return embeddedStart; }

  private:
    // Finds the trailer and reads the prefix and header; recordsEnd is the trailer's start.
    bool LocateAppendedRecording(uint32_t& recordsEnd);
    bool CopyHost();

    char hostPath[LockedFile::kNameSize] = {};
    uint32_t embeddedStart = 0;
};

// Whether the file ends with the trailer magic, or, when it is signed, its
// part before the certificate table does; nothing else is examined.
bool IsEmbeddedRecording(const char* path);
