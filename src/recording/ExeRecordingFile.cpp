#include "recording/ExeRecordingFile.h"

#include <cstring>
#include <vector>

#include "recording/AppendedTrailer.h"
#include "recording/SystemServices.h"

bool IsEmbeddedRecording(const char* path) {
    LockedFile f;
    if (!f.Open(path, LockedFile::kRead))
        return false;
    const bool found = FindAppendedTrailer(f).magic;
    f.Close();
    return found;
}

bool ExeRecordingFile::SetHostPath(const char* path) {
    if (!path || std::strlen(path) >= sizeof hostPath)
        return false;
    std::strcpy(hostPath, path);
    return true;
}

bool ExeRecordingFile::LocateAppendedRecording(uint32_t& recordsEnd) {
    const AppendedTrailer trailer = FindAppendedTrailer(*file);
    if (!trailer.complete)
        return false;  // "VQD " alone is no trailer
    embeddedStart = trailer.embeddedStart;
    recordsEnd = trailer.recordsEnd;
    return file->Seek(int32_t(embeddedStart), LockedFile::kBegin) == int32_t(embeddedStart) &&
           ReadPrefixAndHeader();
}

bool ExeRecordingFile::CopyHost() {
    if (!CaptureEngineRecording())
        return false;
    LockedFile host(file->GetFiles());
    if (!host.Open(hostPath, LockedFile::kRead))
        return false;
    embeddedStart = uint32_t(host.GetSize());
    std::vector<uint8_t> bytes(embeddedStart);
    const bool copied = embeddedStart != 0 &&
                        host.Read(bytes.data(), embeddedStart) == embeddedStart &&
                        file->Write(bytes.data(), embeddedStart) == embeddedStart;
    host.Close();
    return copied && WritePrefixAndHeader();
}

bool ExeRecordingFile::Open(const char* path, uint32_t access) {
    if (!file->Open(path, access))
        return false;
    ResetPlayback();
    ResetDecoder();
    embeddedStart = 0;
    bool ok = false;
    uint32_t end = 0;
    if (access == LockedFile::kRead)
        ok = LocateAppendedRecording(end);
    else if (access == LockedFile::kWrite)
        ok = CopyHost();
    return FinishOpen(ok, access == LockedFile::kRead ? end : uint32_t(file->GetSize()));
}

void ExeRecordingFile::Close() {
    const uint32_t access = file->GetAccess();
    char path[LockedFile::kNameSize];
    file->GetName(path);
    if (access & LockedFile::kWrite) {
        const int32_t end = file->Tell();
        uint8_t trailer[vqd::kTrailerSize];
        vqd::WriteU32(trailer, uint32_t(end) - embeddedStart);
        vqd::WriteU32(trailer + 4, vqd::kMagic);
        file->Write(trailer, sizeof trailer);
    }
    file->Close();
    if (access & LockedFile::kWrite)
        SaveHeaderTo(path);
}

bool ExeRecordingFile::OpenInPlayer(const char* path) {
    return path != nullptr && sys::StartProgram(path, nullptr);
}
