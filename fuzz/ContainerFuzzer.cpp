// The reader on arbitrary files: opened as a plain recording and as one
// appended to an executable, then played to its end with quick play.
#include <cstdlib>
#include <vector>

#include "FuzzFile.h"
#include "recording/ExeRecordingFile.h"
#include "recording/RecordingFile.h"

namespace {

uint32_t FixedClock(void*) {
    return 1000;
}

void PlayToTheEnd(RecordingFile& r, size_t size) {
    r.SetClockSource(RecordingFile::ClockSource{FixedClock, nullptr});
    if (!r.Initialize())
        std::abort();
    if (r.Open(FuzzFilePath().c_str(), LockedFile::kRead)) {
        r.SetQuickPlay(1);
        r.Restart();
        // Every record takes at least 9 bytes, so this many steps reach the end.
        for (size_t step = 0; step < size / 9 + 2; ++step) {
            const bool played = r.PlayStep();
            if (!played && !r.GetDirtyRects().empty())
                std::abort();
            for (const Rect& d : r.GetDirtyRects())
                if (d.IsEmpty())
                    std::abort();
        }
        r.Close();
    }
    r.Release();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!WriteFuzzFile(data, size))
        return 0;
    RecordingFile plain;
    PlayToTheEnd(plain, size);
    ExeRecordingFile asExecutable;  // whatever trailer the input ends with
    PlayToTheEnd(asExecutable, size);
    // The same bytes behind a small host and with a trailer, so that the
    // appended layout is reached whatever the input ends with.
    std::vector<uint8_t> embedded(16, 'M');
    embedded.insert(embedded.end(), data, data + size);
    for (uint32_t v : {uint32_t(size), 0x20445156u})
        for (int i = 0; i < 4; ++i)
            embedded.push_back(uint8_t(v >> (8 * i)));
    if (WriteFuzzFile(embedded.data(), embedded.size())) {
        ExeRecordingFile appended;
        PlayToTheEnd(appended, embedded.size());
    }
    std::remove(FuzzFilePath().c_str());
    return 0;
}
