#include "RecordingProbe.h"

#include "recording/AppendedTrailer.h"
#include "recording/LockedFile.h"

namespace {

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
    const AppendedTrailer trailer = FindAppendedTrailer(f);
    p.signedImage = trailer.signedImage;
    p.certificates = trailer.certificates;
    if (trailer.magic) {
        p.embedded = true;
        if (!trailer.complete) {
            p.error = "badtrailer";
            p.errorOffset = 0;
            return;
        }
        p.embeddedStart = trailer.embeddedStart;
        p.dataEnd = trailer.recordsEnd;
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
