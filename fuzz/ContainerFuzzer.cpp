// The reader on arbitrary files: opened as a plain recording and as one
// appended to an executable, unsigned and signed, then played to its end with
// quick play. The files are kept in memory, and the two readers from one
// input to the next as the saver keeps its readers: Open starts each input
// afresh, only the buffers grown by earlier inputs remain.
#include <cstdlib>
#include <vector>

#include "recording/ContainerFormat.h"
#include "recording/ExeRecordingFile.h"
#include "recording/MemoryFiles.h"
#include "recording/RecordingFile.h"

namespace {

constexpr char kInput[] = "input";
constexpr char kAppended[] = "appended";
constexpr char kSigned[] = "signed";

void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = uint8_t(v >> (8 * i));
}

// A PE32+ program's headers with a security directory entry at kDirectory.
constexpr size_t kDirectory = 0x98 + 112 + 32;
std::vector<uint8_t> ProgramHeaders() {
    std::vector<uint8_t> h(0x200, 0);
    h[0] = 'M';
    h[1] = 'Z';
    PutU32(h, 0x3C, 0x80);
    PutU32(h, 0x80, 0x00004550);
    PutU32(h, 0x80 + 20, 240);  // optional header size
    PutU32(h, 0x98, 0x20B);     // PE32+
    PutU32(h, 0x98 + 108, 16);  // data directories
    return h;
}

// The appended layout signed since: padding to eight bytes and a certificate
// table, which the directory names; when the input's first byte is odd, the
// directory's offset and size are its next eight bytes instead, pointing anywhere.
void SignAppended(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
    const std::vector<uint8_t> headers = ProgramHeaders();
    out.insert(out.begin(), headers.begin(), headers.end());
    out.resize((out.size() + 7) / 8 * 8, 0);
    const uint32_t offset = uint32_t(out.size()), tableSize = 64;
    out.resize(out.size() + tableSize, 0x30);
    PutU32(out, offset, tableSize);
    const bool hostile = size > 8 && data[0] % 2 == 1;
    PutU32(out, kDirectory, hostile ? vqd::ReadU32(data + 1) : offset);
    PutU32(out, kDirectory + 4, hostile ? vqd::ReadU32(data + 5) : tableSize);
}

uint32_t FixedClock(void*) {
    return 1000;
}

struct Readers {
    MemoryFiles files;
    RecordingFile plain{files};
    ExeRecordingFile appended{files};
    std::vector<uint8_t> embedded;

    Readers() {
        Prepare(plain);
        Prepare(appended);
    }
    static void Prepare(RecordingFile& r) {
        r.SetClockSource(RecordingFile::ClockSource{FixedClock, nullptr});
        if (!r.Initialize())
            std::abort();
    }
};

void PlayToTheEnd(RecordingFile& r, const char* path, size_t size) {
    if (!r.Open(path, LockedFile::kRead))
        return;
    r.SetQuickPlay(1);
    r.Restart();
    // Every record takes at least 9 bytes, so this many steps reach the end.
    // Once the stream has stopped, a second step meets the stopped reader and
    // further steps only repeat it.
    int stoppedSteps = 0;
    for (size_t step = 0; step < size / 9 + 2 && stoppedSteps < 2; ++step) {
        const bool played = r.PlayStep();
        if (!played && !r.GetDirtyRects().empty())
            std::abort();
        for (const Rect& d : r.GetDirtyRects())
            if (d.IsEmpty())
                std::abort();
        if (!played && r.GetStreamStop() != RecordingFile::StreamStop::None)
            ++stoppedSteps;
    }
    r.Close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Readers readers;
    readers.files.Put(kInput, data, size);
    PlayToTheEnd(readers.plain, kInput, size);
    PlayToTheEnd(readers.appended, kInput, size);  // whatever trailer the input ends with
    // The same bytes behind a small host and with a trailer, so that the
    // appended layout is reached whatever the input ends with.
    std::vector<uint8_t>& embedded = readers.embedded;
    embedded.assign(16, 'M');
    embedded.insert(embedded.end(), data, data + size);
    for (uint32_t v : {uint32_t(size), 0x20445156u})
        for (int i = 0; i < 4; ++i)
            embedded.push_back(uint8_t(v >> (8 * i)));
    readers.files.Put(kAppended, embedded.data(), embedded.size());
    PlayToTheEnd(readers.appended, kAppended, embedded.size());
    SignAppended(data, size, embedded);
    readers.files.Put(kSigned, embedded.data(), embedded.size());
    PlayToTheEnd(readers.appended, kSigned, embedded.size());
    return 0;
}
