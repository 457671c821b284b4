// Recordings and files built byte by byte for the container tests.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "recording/RecordingFile.h"

using Bytes = std::vector<uint8_t>;

struct TestRecord {
    uint32_t delay;
    Bytes payload;
};

std::string TempPath(const std::string& name);  // in a fresh folder of this program's
void WriteFile(const std::string& path, const Bytes& bytes);
std::string Stored(const std::string& name, const Bytes& bytes);  // written to TempPath(name)
Bytes ReadFile(const std::string& path);
void AppendU32(Bytes& out, uint32_t v);
// Prefix, header (rates, duration 27.015 s, title) and records.
Bytes MakeRecording(const std::vector<TestRecord>& records, uint32_t frameRate = 10,
                    uint32_t secondaryRate = 50, const char* title = "");
Bytes Embed(const Bytes& host, const Bytes& recording);  // host, recording, trailer
// A Windows program of `size` bytes: DOS and PE headers (PE32+ or PE32) with
// an empty security directory, then filler.
Bytes PeImage(bool pe32Plus, size_t size);
size_t SecurityDirectoryAt(bool pe32Plus);  // the directory entry's offset in PeImage
// The program signed: zero bytes up to a multiple of eight, then a
// certificate table of `tableSize` bytes that the security directory names.
Bytes Signed(const Bytes& peImage, bool pe32Plus, uint32_t tableSize = 1552);
inline Bytes Payload(uint32_t length, uint8_t seed) {  // distinct, recognisable bytes
    Bytes b(length);
    for (uint32_t i = 0; i < length; ++i)
        b[i] = uint8_t(seed + i * 7);
    return b;
}
inline std::string TitleOf(RecordingFile& r) {
    char title[60];
    r.GetTitle(title);
    return title;
}
// A recording played to its end, each record as soon as it is pending: the
// delays, the picture and the pointer (x, y, left, right) after each record.
struct PlayedRecording {
    std::vector<uint32_t> delays;
    std::vector<Bytes> pictures;
    std::vector<std::array<int32_t, 4>> pointers;
    uint32_t durationMs = 0;  // as the header says
    bool cutShort = false;    // the stream ends inside a record
};
PlayedRecording PlayThrough(RecordingFile& reader, const char* path);
// The pending record read as a play step does (size query, then delivery); empty if none.
Bytes Deliver(RecordingFile& r);

struct FakeClock {
    uint32_t now = 1000;
    static uint32_t Read(void* self) { return static_cast<FakeClock*>(self)->now; }
    RecordingFile::ClockSource Source() { return {&FakeClock::Read, this}; }
};
