// The writing side of a recording: records written as the capture engine
// delivers them, within the bit budget of the chosen quality, and one
// recording appended to another.
#include <algorithm>
#include <vector>

#include "recording/AppendedTrailer.h"
#include "recording/RecordingFile.h"

namespace {

// Where the records of a plain or embedded recording lie, after checking its prefix.
struct RecordSpan {
    uint32_t start = 0;
    uint32_t end = 0;
    RecordingHeader header = {};
};

bool LocateRecords(LockedFile& f, RecordSpan& span) {
    const AppendedTrailer trailer = FindAppendedTrailer(f);
    span.start = trailer.complete ? trailer.embeddedStart : 0;
    span.end = trailer.complete ? trailer.recordsEnd : uint32_t(f.GetSize());
    uint8_t prefix[vqd::kPrefixSize];
    if (f.Seek(int32_t(span.start), LockedFile::kBegin) < 0 ||
        f.Read(prefix, sizeof prefix) != sizeof prefix)
        return false;
    if (vqd::CheckPrefix(vqd::ReadU32(prefix), vqd::ReadU32(prefix + 4)) != vqd::PrefixCheck::Ok)
        return false;
    if (f.Read(&span.header, vqd::kHeaderSize) != vqd::kHeaderSize)
        return false;
    span.start += vqd::kDataOffset;
    return span.start <= span.end;
}

// Copies the records of [span.start, span.end) to the current position of
// target; the sum of their delays goes to copiedTime.
bool CopyRecords(LockedFile& source, const RecordSpan& span, LockedFile& target,
                 uint64_t& copiedTime) {
    std::vector<uint8_t> record;
    uint32_t at = span.start;
    while (at < span.end) {
        uint8_t head[vqd::kRecordHeaderSize];
        if (span.end - at < sizeof head || source.Read(head, sizeof head) != sizeof head)
            return false;
        const uint32_t length = vqd::ReadU32(head + 4);
        at += sizeof head;
        if (length == 0 || length > span.end - at)
            return false;
        record.resize(length);
        if (source.Read(record.data(), length) != length)
            return false;
        if (target.Write(head, sizeof head) != sizeof head ||
            target.Write(record.data(), length) != length)
            return false;
        copiedTime += vqd::ReadU32(head);
        at += length;
    }
    return true;
}

}  // namespace

uint32_t RecordingFile::WriteRecord(const void* payload, uint32_t length) {
    if (!payload || length == 0 || GetMaxFileSize() < dataEnd)
        return 0;
    recordLength = length;
    dueAccumulator += ConsumeElapsedTime();
    if (GetQuality() < GetMaxQuality()) {
        if (dueAccumulator == 0)
            return 0;
        const uint64_t bits = uint64_t(length) * 8;
        const uint64_t needed = bits > budgetSurplus ? bits - budgetSurplus : 0;
        const uint64_t rate = needed * 1000 / dueAccumulator;
        const Rect area = captureEngine ? captureEngine->CaptureArea() : Rect{};
        const uint64_t bpp = captureEngine ? captureEngine->BitsPerPixel() : 0;
        const uint64_t allowed = bpp * header.frameRate * uint64_t(GetQuality()) *
                                 uint64_t(std::max(0, area.right - area.left)) *
                                 uint64_t(std::max(0, area.bottom - area.top)) / 384;
        if (rate > allowed)
            return 0;
        budgetSurplus =
            uint32_t(std::min<uint64_t>((allowed - rate) * dueAccumulator / 1000, UINT32_MAX));
    }
    uint8_t head[vqd::kRecordHeaderSize];
    vqd::WriteU32(head, dueAccumulator);
    vqd::WriteU32(head + 4, length);
    if (file->Write(head, sizeof head) != sizeof head || file->Write(payload, length) != length) {
        // What did reach the file is cut off, so that the stream ends with the
        // last whole record; the time goes on with the next record.
        file->SetSize(int32_t(dataEnd));
        return 0;
    }
    positionMilliseconds += dueAccumulator;
    CarryPosition();
    header.durationSeconds = positionSeconds;
    header.durationMilliseconds = positionMilliseconds;
    readPosition += vqd::kRecordHeaderSize + length;
    dataEnd += vqd::kRecordHeaderSize + length;
    dueAccumulator = 0;
    return length;
}

bool RecordingFile::FlushRecords() {
    return file->Flush();
}

bool RecordingFile::RecordStep() {
    if (!CaptureEngineRecording() || !(file->GetAccess() & LockedFile::kWrite))
        return false;
    if (!captureEngine->CaptureFrameUpdate(capturedUpdate) || capturedUpdate.empty())
        return true;
    if (!deflater.Compress(capturedUpdate.data(), capturedUpdate.size(), deflatedUpdate))
        return false;
    WriteRecord(deflatedUpdate.data(), uint32_t(deflatedUpdate.size()));
    return true;
}

bool RecordingFile::AppendRecording(const char* target, const char* source) {
    if (!target || !source || !Open(target, LockedFile::kRead))
        return false;
    const uint32_t oldEnd = dataEnd;
    // Records go where the old ones end, and only the trailer may follow
    // them: a signed program's certificate table would be overwritten.
    const uint32_t after = uint32_t(file->GetSize()) - oldEnd;
    Close();
    if (after != 0 && after != vqd::kTrailerSize)
        return false;
    LockedFile from(file->GetFiles());
    RecordSpan span;
    if (!from.Open(source, LockedFile::kRead) || !LocateRecords(from, span) ||
        !file->Open(target, LockedFile::kReadWrite)) {
        from.Close();
        return false;
    }
    bool ok = file->Seek(int32_t(oldEnd), LockedFile::kBegin) == int32_t(oldEnd);
    uint64_t copiedTime = 0;
    ok = ok && CopyRecords(from, span, *file, copiedTime);
    from.Close();
    if (ok) {
        header.frameRate = std::max(header.frameRate, span.header.frameRate);
        header.secondaryRate = std::max(header.secondaryRate, span.header.secondaryRate);
        const uint64_t ms = uint64_t(header.durationMilliseconds) + copiedTime % 1000;
        header.durationSeconds += uint32_t(copiedTime / 1000 + ms / 1000);
        header.durationMilliseconds = uint32_t(ms % 1000);
    } else {
        file->SetSize(int32_t(oldEnd));
    }
    Close();
    return ok;
}
