#include "recording/AppendedTrailer.h"

#include "recording/ContainerFormat.h"

namespace {

constexpr uint32_t kLargestTablePadding = 7;

// The table's offset less the zero bytes that align it; a byte that is not
// zero ("VQD " ends in a space) ends the padding.
uint32_t UnpaddedEnd(LockedFile& f, uint32_t tableOffset) {
    uint32_t end = tableOffset;
    uint8_t byte = 0;
    while (end > 0 && tableOffset - end < kLargestTablePadding && ReadAt(f, end - 1, &byte, 1) &&
           byte == 0)
        --end;
    return end;
}

}  // namespace

AppendedTrailer FindAppendedTrailer(LockedFile& file) {
    AppendedTrailer t;
    const int32_t size = file.GetSize();
    if (size <= 0)
        return t;
    t.end = uint32_t(size);
    t.signedImage = FindCertificateTable(file, t.certificates);
    if (t.signedImage)
        t.end = UnpaddedEnd(file, t.certificates.offset);
    uint8_t word[4];
    t.magic = t.end >= 4 && ReadAt(file, t.end - 4, word, 4) && vqd::ReadU32(word) == vqd::kMagic;
    t.complete = t.magic && t.end >= vqd::kTrailerSize && ReadAt(file, t.end - 8, word, 4);
    if (t.complete) {
        t.recordsEnd = t.end - vqd::kTrailerSize;
        t.embeddedStart = vqd::EmbeddedStart(t.end, vqd::ReadU32(word));
    }
    return t;
}
