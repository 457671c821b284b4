// Byte layout of a "VQD file" recording and of a recording appended to an
// executable. Platform-free: shared by the saver, the tools and the fuzzers.
#pragma once
#include <cstdint>
#include <cstring>

namespace vqd {

constexpr uint32_t kMagic = 0x20445156;  // "VQD " read as a little-endian u32
constexpr uint32_t kVersion = 0x00010001;
constexpr uint32_t kPrefixSize = 8;  // magic + version
constexpr uint32_t kHeaderSize = 336;
constexpr uint32_t kDataOffset = kPrefixSize + kHeaderSize;  // first record of a plain file
constexpr uint32_t kRecordHeaderSize = 8;                    // delay + length
constexpr uint32_t kTrailerSize = 8;                         // length + magic
constexpr uint32_t kTitleSize = 60;
constexpr uint32_t kAuthorSize = 60;
constexpr uint32_t kDescriptionSize = 200;

inline uint32_t ReadU32(const void* p) {
    const auto* b = static_cast<const uint8_t*>(p);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}
inline uint16_t ReadU16(const void* p) {
    const auto* b = static_cast<const uint8_t*>(p);
    return uint16_t(b[0] | b[1] << 8);
}
inline void WriteU32(void* p, uint32_t v) {
    auto* b = static_cast<uint8_t*>(p);
    b[0] = uint8_t(v);
    b[1] = uint8_t(v >> 8);
    b[2] = uint8_t(v >> 16);
    b[3] = uint8_t(v >> 24);
}
inline void WriteU16(void* p, uint16_t v) {
    auto* b = static_cast<uint8_t*>(p);
    b[0] = uint8_t(v);
    b[1] = uint8_t(v >> 8);
}

enum class PrefixCheck { Ok, BadMagic, BadVersion };
inline PrefixCheck CheckPrefix(uint32_t magic, uint32_t version) {
    if (magic != kMagic)
        return PrefixCheck::BadMagic;
    if (version != kVersion)
        return PrefixCheck::BadVersion;
    return PrefixCheck::Ok;
}

// Where the appended recording starts, from the trailer's length field.
// A length that reaches before the start of the file lands on offset 0;
// computed in 64 bits so that no length wraps around.
inline uint32_t EmbeddedStart(uint32_t fileSize, uint32_t embeddedLength) {
    const uint64_t back = uint64_t(embeddedLength) + kTrailerSize;
    return back >= fileSize ? 0 : uint32_t(fileSize - back);
}

}  // namespace vqd

// The descriptive header, copied to and from the file as one block.
struct RecordingHeader {
    uint32_t frameRate;
    uint32_t secondaryRate;
    uint32_t durationSeconds;
    uint32_t durationMilliseconds;
    char title[vqd::kTitleSize];
    char author[vqd::kAuthorSize];
    char description[vqd::kDescriptionSize];
};
static_assert(sizeof(RecordingHeader) == vqd::kHeaderSize, "the header is 336 bytes on disk");
