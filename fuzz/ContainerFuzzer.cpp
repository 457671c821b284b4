// The reader on arbitrary files: opened as a plain recording and as one
// appended to an executable, then played to its end with quick play. The
// files are kept in memory, and the two readers from one input to the next as
// the saver keeps its readers: Open starts each input afresh, only the
// buffers grown by earlier inputs remain.
#include <cstdlib>
#include <vector>

#include "recording/ExeRecordingFile.h"
#include "recording/MemoryFiles.h"
#include "recording/RecordingFile.h"

namespace {

constexpr char kInput[] = "input";
constexpr char kAppended[] = "appended";

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
    return 0;
}
