#include "recording/CertificateTable.h"

#include "recording/ContainerFormat.h"

namespace {

constexpr uint16_t kDosMagic = 0x5A4D;            // "MZ"
constexpr uint32_t kPeSignature = 0x00004550;     // "PE\0\0"
constexpr uint32_t kNewHeaderOffsetField = 0x3C;  // e_lfanew of the DOS header
constexpr uint32_t kCoffHeaderSize = 20;          // after the PE signature
constexpr uint32_t kOptionalSizeField = 16;       // SizeOfOptionalHeader, in the COFF header
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr uint32_t kSecurityDirectory = 4;       // index among the data directories
constexpr uint32_t kDirectoryEntrySize = 8;      // offset + size
constexpr uint32_t kCertificateEntryHeader = 8;  // dwLength, wRevision, wCertificateType

// Where the optional header's directory count and first directory entry
// lie, by its magic; false for anything but PE32 and PE32+.
bool DirectoryLayout(uint16_t magic, uint32_t& countField, uint32_t& firstEntry) {
    if (magic == kPe32Magic) {
        countField = 92;
        firstEntry = 96;
    } else if (magic == kPe32PlusMagic) {
        countField = 108;
        firstEntry = 112;
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool FindCertificateTable(LockedFile& file, CertificateTable& table) {
    const int32_t fileSize = file.GetSize();
    uint8_t word[4];
    if (!ReadAt(file, 0, word, 2) || vqd::ReadU16(word) != kDosMagic ||
        !ReadAt(file, kNewHeaderOffsetField, word, 4))
        return false;
    const uint64_t peHeader = vqd::ReadU32(word);
    uint8_t coff[4 + kCoffHeaderSize];
    if (!ReadAt(file, peHeader, coff, sizeof coff) || vqd::ReadU32(coff) != kPeSignature)
        return false;
    const uint32_t optionalSize = vqd::ReadU16(coff + 4 + kOptionalSizeField);
    const uint64_t optional = peHeader + sizeof coff;
    uint32_t countField = 0, firstEntry = 0;
    if (!ReadAt(file, optional, word, 2) ||
        !DirectoryLayout(vqd::ReadU16(word), countField, firstEntry) ||
        !ReadAt(file, optional + countField, word, 4) || vqd::ReadU32(word) <= kSecurityDirectory)
        return false;
    const uint32_t entry = firstEntry + kSecurityDirectory * kDirectoryEntrySize;
    uint8_t directory[kDirectoryEntrySize];
    if (entry + kDirectoryEntrySize > optionalSize ||
        !ReadAt(file, optional + entry, directory, sizeof directory))
        return false;
    const uint32_t offset = vqd::ReadU32(directory), size = vqd::ReadU32(directory + 4);
    if (offset == 0 || size < kCertificateEntryHeader ||
        uint64_t(offset) + size != uint64_t(fileSize) || offset < optional + optionalSize)
        return false;
    // The first certificate entry must fit in the table.
    if (!ReadAt(file, offset, word, 4) || vqd::ReadU32(word) < kCertificateEntryHeader ||
        vqd::ReadU32(word) > size)
        return false;
    table.offset = offset;
    table.size = size;
    return true;
}
