#include "RecordingProbe.h"

#include "recording/LockedFile.h"

namespace {

bool ReadAt(LockedFile& f, uint32_t offset, void* buffer, uint32_t count) {
    return f.Seek(int32_t(offset), LockedFile::kBegin) == int32_t(offset) &&
           f.Read(buffer, count) == count;
}

void WalkRecords(LockedFile& f, RecordingProbe& p) {
    uint32_t at = p.dataStart;
    while (at < p.dataEnd) {
        uint8_t head[vqd::kRecordHeaderSize];
        p.breakOffset = at;
        p.chainComplete = false;
        if (p.dataEnd - at < sizeof head || !ReadAt(f, at, head, sizeof head)) {
            p.breakReason =
                "record header cut short (" + std::to_string(p.dataEnd - at) + " bytes left)";
            return;
        }
        const uint32_t length = vqd::ReadU32(head + 4);
        const uint32_t left = p.dataEnd - at - uint32_t(sizeof head);
        if (length == 0) {
            p.breakReason = "zero-length record";
            return;
        }
        if (length > left) {
            p.breakReason = "payload cut short (" + std::to_string(length) + " bytes declared, " +
                            std::to_string(left) + " left)";
            return;
        }
        p.chainComplete = true;
        p.records++;
        p.delaySum += vqd::ReadU32(head);
        at += uint32_t(sizeof head) + length;
    }
}

void Probe(LockedFile& f, RecordingProbe& p) {
    p.fileSize = uint32_t(f.GetSize());
    p.dataEnd = p.fileSize;
    uint8_t word[4];
    if (p.fileSize >= 4 && ReadAt(f, p.fileSize - 4, word, 4) &&
        vqd::ReadU32(word) == vqd::kMagic) {
        p.embedded = true;
        if (p.fileSize < vqd::kTrailerSize || !ReadAt(f, p.fileSize - 8, word, 4)) {
            p.error = "badtrailer";
            p.errorOffset = 0;
            return;
        }
        p.embeddedStart = vqd::EmbeddedStart(p.fileSize, vqd::ReadU32(word));
        p.dataEnd = p.fileSize - vqd::kTrailerSize;
    }
    uint8_t prefix[vqd::kPrefixSize] = {};
    const uint32_t available = p.dataEnd - p.embeddedStart;
    ReadAt(f, p.embeddedStart, prefix,
           available < sizeof prefix ? available : uint32_t(sizeof prefix));
    p.errorOffset = p.embeddedStart;
    if (available < 4 || vqd::ReadU32(prefix) != vqd::kMagic) {
        p.error = "badmagic";
    } else if (available < 8 || vqd::ReadU32(prefix + 4) != vqd::kVersion) {
        p.error = "badversion";
        p.errorOffset += 4;
    } else if (available < vqd::kDataOffset ||
               !ReadAt(f, p.embeddedStart + 8, &p.header, vqd::kHeaderSize)) {
        p.error = "shortheader";
        p.errorOffset += 8;
    } else {
        p.dataStart = p.embeddedStart + vqd::kDataOffset;
        WalkRecords(f, p);
    }
}

}  // namespace

RecordingProbe ProbeRecording(const char* path) {
    RecordingProbe p;
    LockedFile f;
    if (!f.Open(path, LockedFile::kRead)) {
        p.error = "cannotopen";
        return p;
    }
    Probe(f, p);
    f.Close();
    return p;
}
