#include "TestFiles.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <iterator>

#include "recording/ContainerFormat.h"

namespace stdfs = std::filesystem;

std::string TempPath(const std::string& name) {
    static const stdfs::path folder = [] {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        stdfs::path p =
            stdfs::temp_directory_path() / ("qv-recording-tests-" + std::to_string(stamp));
        stdfs::create_directories(p);
        return p;
    }();
    return (folder / name).string();
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::string Stored(const std::string& name, const Bytes& bytes) {
    const std::string path = TempPath(name);
    WriteFile(path, bytes);
    return path;
}

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Out of line: gcc -O3 misreads the list insert when it is inlined.
void AppendU32(Bytes& out, uint32_t v) {
    out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}

Bytes MakeRecording(const std::vector<TestRecord>& records, uint32_t frameRate,
                    uint32_t secondaryRate, const char* title) {
    Bytes out;
    for (uint32_t v : {vqd::kMagic, vqd::kVersion})
        AppendU32(out, v);
    RecordingHeader header = {};
    header.frameRate = frameRate;
    header.secondaryRate = secondaryRate;
    header.durationSeconds = 27;
    header.durationMilliseconds = 15;
    std::strncpy(header.title, title, sizeof header.title - 1);
    const auto* h = reinterpret_cast<const uint8_t*>(&header);
    out.insert(out.end(), h, h + sizeof header);
    for (const TestRecord& r : records) {
        for (uint32_t v : {r.delay, uint32_t(r.payload.size())})
            AppendU32(out, v);
        out.insert(out.end(), r.payload.begin(), r.payload.end());
    }
    return out;
}

Bytes Embed(const Bytes& host, const Bytes& recording) {
    Bytes out = host;
    out.insert(out.end(), recording.begin(), recording.end());
    for (uint32_t v : {uint32_t(recording.size()), vqd::kMagic})
        AppendU32(out, v);
    return out;
}

Bytes Deliver(RecordingFile& r) {
    const uint32_t n = r.ReadRecord(nullptr, 0);
    if (n == 0)
        return {};
    Bytes buffer(n);
    buffer.resize(r.ReadRecord(buffer.data(), n));
    return buffer;
}

PlayedRecording PlayThrough(RecordingFile& reader, const char* path) {
    PlayedRecording played;
    if (!reader.Open(path, LockedFile::kRead))
        return played;
    played.durationMs = reader.GetDurationSeconds() * 1000 + reader.GetDurationMilliseconds();
    reader.SetQuickPlay(1);
    reader.Restart();
    while (reader.ReadRecord(nullptr, 0) != 0) {
        const uint32_t delay = reader.GetPendingDelay();
        if (!reader.PlayStep())
            break;
        const FrameImage& image = reader.GetFrameImage();
        played.delays.push_back(delay);
        played.pictures.emplace_back(image.currentImage, image.currentImage + image.imageSize);
        const Point p = reader.GetCursorPosition();
        played.pointers.push_back(
            {p.x, p.y, reader.GetLeftButtonDown(), reader.GetRightButtonDown()});
    }
    played.cutShort = reader.GetStreamStop() == RecordingFile::StreamStop::Truncated;
    reader.Close();
    return played;
}

namespace {
constexpr size_t kPeHeaderAt = 0x80;
constexpr size_t kOptionalHeaderAt = kPeHeaderAt + 24;

void PutU32(Bytes& bytes, size_t at, uint32_t v) {
    vqd::WriteU32(&bytes[at], v);
}
}  // namespace

Bytes PeImage(bool pe32Plus, size_t size) {
    Bytes b = Payload(uint32_t(size), 5);
    std::fill(b.begin(), b.begin() + 0x200, 0);
    b[0] = 'M';
    b[1] = 'Z';
    PutU32(b, 0x3C, kPeHeaderAt);
    PutU32(b, kPeHeaderAt, 0x00004550);                             // "PE\0\0"
    vqd::WriteU16(&b[kPeHeaderAt + 4], pe32Plus ? 0x8664 : 0x14C);  // machine
    vqd::WriteU16(&b[kPeHeaderAt + 20], pe32Plus ? 240 : 224);      // optional header size
    vqd::WriteU16(&b[kOptionalHeaderAt], pe32Plus ? 0x20B : 0x10B);
    PutU32(b, kOptionalHeaderAt + (pe32Plus ? 108 : 92), 16);  // data directories
    return b;
}

size_t SecurityDirectoryAt(bool pe32Plus) {
    return kOptionalHeaderAt + (pe32Plus ? 112 : 96) + 4 * 8;
}

Bytes Signed(const Bytes& peImage, bool pe32Plus, uint32_t tableSize) {
    Bytes b = peImage;
    b.resize((b.size() + 7) / 8 * 8, 0);
    const uint32_t offset = uint32_t(b.size());
    AppendU32(b, tableSize);  // one certificate entry: its length, revision 2.0, PKCS#7
    AppendU32(b, 0x00020200);
    const Bytes signature = Payload(tableSize - 8, 9);
    b.insert(b.end(), signature.begin(), signature.end());
    PutU32(b, SecurityDirectoryAt(pe32Plus), offset);
    PutU32(b, SecurityDirectoryAt(pe32Plus) + 4, tableSize);
    return b;
}
