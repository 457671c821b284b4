#include "recording/ExeRecordingFile.h"

#include <cstring>
#include <vector>

#include "recording/SystemServices.h"

bool IsEmbeddedRecording(const char* path) {
    LockedFile f;
    if (!f.Open(path, LockedFile::kRead))
        return false;
    uint8_t tail[4];
    f.Seek(-4, LockedFile::kEnd);
    const bool found = f.Read(tail, 4) == 4 && vqd::ReadU32(tail) == vqd::kMagic;
    f.Close();
    return found;
}

bool ExeRecordingFile::SetHostPath(const char* path) {
    if (!path || std::strlen(path) >= sizeof hostPath)
        return false;
    std::strcpy(hostPath, path);
    return true;
}

bool ExeRecordingFile::LocateAppendedRecording() {
    uint8_t word[4];
    if (file->Seek(-4, LockedFile::kEnd) < 0 || file->Read(word, 4) != 4 ||
        vqd::ReadU32(word) != vqd::kMagic)
        return false;
    if (file->Seek(-8, LockedFile::kEnd) < 0 || file->Read(word, 4) != 4)
        return false;
    const uint32_t size = uint32_t(file->GetSize());
    if (size < vqd::kTrailerSize)
        return false;  // "VQD " alone is no trailer
    embeddedStart = vqd::EmbeddedStart(size, vqd::ReadU32(word));
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
    if (access == LockedFile::kRead)
        ok = LocateAppendedRecording();
    else if (access == LockedFile::kWrite)
        ok = CopyHost();
    const uint32_t size = uint32_t(file->GetSize());
    return FinishOpen(ok, access == LockedFile::kRead ? size - vqd::kTrailerSize : size);
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
