#include "recording/RecordingFile.h"

#include <cstring>
#include <string>

#include "recording/SystemServices.h"

namespace {

uint32_t SystemClock(void*) {
    return sys::NowMilliseconds();
}

// Zeroes the field and copies at most size - 1 bytes, so that it ends with a NUL.
void SetTextField(char* field, uint32_t size, const char* text) {
    if (!text)
        return;
    std::memset(field, 0, size);
    std::memcpy(field, text, strnlen(text, size - 1));
}

// Copies a text field that may lack its NUL: at most size - 1 bytes, then a NUL.
void GetTextField(const char* field, uint32_t size, char* buffer) {
    if (!buffer)
        return;
    const size_t n = strnlen(field, size - 1);
    std::memcpy(buffer, field, n);
    buffer[n] = '\0';
}

}  // namespace

RecordingFile::RecordingFile(fs::Files& files)
    : clock{SystemClock, nullptr}, file(&ownFile), ownFile(files) {
    ResetPlayback();
    ResetDecoder();
}

RecordingFile::~RecordingFile() {
    Release();
    file->Close();
}

bool RecordingFile::HasDuration() {
    return header.durationSeconds != 0 || header.durationMilliseconds != 0;
}

bool RecordingFile::ClearHeader() {
    std::memset(&header, 0, sizeof header);
    return false;
}

void RecordingFile::SetTitle(const char* text) {
    SetTextField(header.title, vqd::kTitleSize, text);
}
void RecordingFile::GetTitle(char* buffer) {
    GetTextField(header.title, vqd::kTitleSize, buffer);
}
void RecordingFile::SetAuthor(const char* text) {
    SetTextField(header.author, vqd::kAuthorSize, text);
}
void RecordingFile::GetAuthor(char* buffer) {
    GetTextField(header.author, vqd::kAuthorSize, buffer);
}
void RecordingFile::SetDescription(const char* text) {
    SetTextField(header.description, vqd::kDescriptionSize, text);
}
void RecordingFile::GetDescription(char* buffer) {
    GetTextField(header.description, vqd::kDescriptionSize, buffer);
}

void RecordingFile::SetQuality(int32_t q) {
    MediaFile::SetQuality(q);
    if (captureEngine)
        captureEngine->SetSampleRate(quality > GetDefaultQuality() ? 44100 : 22050);
}

bool RecordingFile::Initialize() {
    ResetPlayback();
    if (!dirtyRegion.Create())
        return false;
    dirtyRects.clear();
    ResetDecoder();
    return true;
}

void RecordingFile::Release() {
    ResetDecoder();
    ReleaseDecoderBuffers();
    dirtyRegion.Destroy();
    dirtyRects.clear();
    ResetPlayback();
}

bool RecordingFile::CaptureEngineRecording() const {
    return captureEngine != nullptr && captureEngine->IsRecording();
}

bool RecordingFile::ReadPrefixAndHeader() {
    if (file->Read(&magic, 4) != 4 || file->Read(&version, 4) != 4)
        return false;
    if (vqd::CheckPrefix(magic, version) != vqd::PrefixCheck::Ok)
        return false;
    return file->Read(&header, vqd::kHeaderSize) == vqd::kHeaderSize;
}

bool RecordingFile::WritePrefixAndHeader() {
    magic = vqd::kMagic;
    version = vqd::kVersion;
    header.frameRate = captureEngine->FrameRate();
    header.secondaryRate = captureEngine->SecondRate();
    header.durationSeconds = 0;
    header.durationMilliseconds = 0;
    return file->Write(&magic, 4) == 4 && file->Write(&version, 4) == 4 &&
           file->Write(&header, vqd::kHeaderSize) == vqd::kHeaderSize;
}

bool RecordingFile::FinishOpen(bool succeeded, uint32_t end) {
    if (!succeeded ||
        uint32_t(file->Tell()) > end) {  // a header that reaches past the stream's end
        file->Close();
        ResetPlayback();
        return false;
    }
    dataStart = readPosition = uint32_t(file->Tell());
    dataEnd = end;
    return true;
}

bool RecordingFile::Open(const char* path, uint32_t access) {
    if (!file->Open(path, access))
        return false;
    ResetPlayback();
    ResetDecoder();
    bool ok = false;
    if (access == LockedFile::kRead)
        ok = ReadPrefixAndHeader();
    else if (access == LockedFile::kWrite && CaptureEngineRecording())
        ok = WritePrefixAndHeader();
    return FinishOpen(ok, uint32_t(file->GetSize()));
}

void RecordingFile::Close() {
    const uint32_t access = file->GetAccess();
    char path[LockedFile::kNameSize];
    file->GetName(path);
    file->Close();
    if (access & LockedFile::kWrite)
        SaveHeaderTo(path);
}

// Reads or rewrites the header in place; the in-memory header is kept.
bool RecordingFile::TransferHeader(const char* path, bool write) {
    const RecordingHeader kept = header;
    if (!Open(path, LockedFile::kRead)) {
        header = kept;
        return false;
    }
    const uint32_t start = dataStart;
    Close();
    header = kept;
    if (!file->Open(path, write ? LockedFile::kReadWrite : LockedFile::kRead))
        return false;
    bool ok = file->Seek(int32_t(start - vqd::kHeaderSize), LockedFile::kBegin) >= 0;
    if (write) {
        ok = ok && file->Write(&header, vqd::kHeaderSize) == vqd::kHeaderSize;
    } else {
        RecordingHeader read;
        ok = ok && file->Read(&read, vqd::kHeaderSize) == vqd::kHeaderSize;
        if (ok)
            header = read;
    }
    file->Close();
    return ok;
}

bool RecordingFile::LoadHeaderFrom(const char* path) {
    return TransferHeader(path, false);
}
bool RecordingFile::SaveHeaderTo(const char* path) {
    return TransferHeader(path, true);
}

// Starts the sibling player from the folder of the running program.
bool RecordingFile::OpenInPlayer(const char* path) {
    if (!path)
        return false;
    const std::string self = sys::ProgramPath();
    const size_t folderEnd = self.find_last_of("\\/");
    if (folderEnd == std::string::npos)
        return false;
    const std::string program = self.substr(0, folderEnd + 1) + "reelora.exe";
    const std::string commandLine = std::string(" \"") + path + "\"";
    return sys::StartProgram(program.c_str(), commandLine.c_str());
}

// ---- the record stream ----------------------------------------------------

bool RecordingFile::ReadPendingRecordHeader() {
    pendingHeaderCutShort =
        dataEnd < readPosition || dataEnd - readPosition < vqd::kRecordHeaderSize;
    if (pendingHeaderCutShort) {
        recordLength = 0;
        return false;
    }
    uint8_t bytes[vqd::kRecordHeaderSize];
    if (file->Seek(int32_t(readPosition), LockedFile::kBegin) < 0 ||
        file->Read(bytes, sizeof bytes) != sizeof bytes) {
        pendingHeaderCutShort = true;
        recordLength = 0;
        return false;
    }
    recordDelay = vqd::ReadU32(bytes);
    recordLength = vqd::ReadU32(bytes + 4);
    readPosition += vqd::kRecordHeaderSize;
    pendingPayloadUnread = true;
    return true;
}

// The pending payload lies wholly before the end of the stream (or the
// stream has ended, and the last record's length is reported as it was).
bool RecordingFile::PendingRecordFits() const {
    return readPosition >= dataEnd || recordLength <= dataEnd - readPosition;
}

RecordingFile::StreamStop RecordingFile::GetStreamStop() const {
    if (readPosition <= dataStart) {
        if (dataEnd == dataStart)
            return StreamStop::End;
        return dataEnd - dataStart < vqd::kRecordHeaderSize ? StreamStop::Truncated
                                                            : StreamStop::None;
    }
    if (pendingHeaderCutShort)
        return StreamStop::Truncated;
    if (!pendingPayloadUnread)
        return StreamStop::End;
    if (recordLength == 0)
        return StreamStop::ZeroLength;
    return recordLength <= dataEnd - readPosition ? StreamStop::None : StreamStop::Truncated;
}

uint32_t RecordingFile::ReadRecord(void* buffer, uint32_t capacity) {
    const uint32_t delivered = ReadRecordFramed(buffer, capacity);
    CarryPosition();
    return delivered;
}

uint32_t RecordingFile::ReadRecordFramed(void* buffer, uint32_t capacity) {
    bool first = false;
    if (readPosition <= dataStart) {
        readPosition = dataStart;
        if (!ReadPendingRecordHeader())
            return 0;
        PrimeClock();
        first = true;
    }
    if (!buffer)
        return PendingRecordFits() ? recordLength : 0;
    if (capacity < recordLength)
        return 0;
    if (!first && (!playing || paused))
        return 0;
    if (readPosition >= dataEnd) {
        if (autoRepeat)
            Restart();
        else
            Stop();
        return 0;
    }
    if (pendingHeaderCutShort || !IsPendingRecordDue())
        return 0;
    if (!PendingRecordFits() || recordLength == 0)
        return 0;
    const uint32_t length = recordLength;
    // A file that can no longer be read (a share gone away) ends the stream.
    if (file->Seek(int32_t(readPosition), LockedFile::kBegin) < 0 ||
        file->Read(buffer, length) != length) {
        Stop();
        return 0;
    }
    readPosition += length;
    pendingPayloadUnread = false;
    if (readPosition < dataEnd)
        ReadPendingRecordHeader();
    return length;
}
