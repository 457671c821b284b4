// decode-bench [DEMO.vqd]: decodes the demo recording and a synthetic
// 1920 x 1080 32-bit recording of 1000 records with quick play and no
// display, and prints per recording: records/s, MB/s of FrameUpdate applied,
// peak memory, allocations per record in the steady state, and the time of
// the full decode over zlib's inflate alone on the same payloads.
#include <sys/resource.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FfmpegComparison.h"
#include "SyntheticSession.h"
#include "recording/ContainerFormat.h"
#include "recording/RecordingFile.h"

// Every allocation of the process is counted (glibc's own allocator does the work).
extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);
extern "C" void __libc_free(void*);
static unsigned long long allocations = 0;
extern "C" void* malloc(size_t n) {
    ++allocations;
    return __libc_malloc(n);
}
extern "C" void* calloc(size_t n, size_t m) {
    ++allocations;
    return __libc_calloc(n, m);
}
extern "C" void* realloc(void* p, size_t n) {
    ++allocations;
    return __libc_realloc(p, n);
}
extern "C" void free(void* p) {
    __libc_free(p);
}

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPasses = 5;  // the first pass warms up; the others are the steady state

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The payloads of all records, read straight from the file.
std::vector<std::vector<uint8_t>> Payloads(const std::string& path) {
    std::vector<std::vector<uint8_t>> payloads;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return payloads;
    std::fseek(f, vqd::kDataOffset, SEEK_SET);
    uint8_t head[vqd::kRecordHeaderSize];
    while (std::fread(head, 1, sizeof head, f) == sizeof head) {
        std::vector<uint8_t> p(vqd::ReadU32(head + 4));
        if (p.empty() || std::fread(p.data(), 1, p.size(), f) != p.size())
            break;
        payloads.push_back(std::move(p));
    }
    std::fclose(f);
    return payloads;
}

double InflateAlone(const std::vector<std::vector<uint8_t>>& payloads, std::vector<uint8_t>& out) {
    const Clock::time_point start = Clock::now();
    for (int pass = 1; pass < kPasses; ++pass)
        for (const auto& p : payloads) {
            z_stream s = {};
            inflateInit(&s);
            s.next_in = const_cast<uint8_t*>(p.data());
            s.avail_in = uInt(p.size());
            s.next_out = out.data();
            s.avail_out = uInt(out.size());
            inflate(&s, Z_FINISH);
            inflateEnd(&s);
        }
    return Seconds(Clock::now() - start);
}

uint32_t NoTime(void*) {
    return 0;
}

constexpr int kSyntheticFrames = 1000;

// Prints the figures of one recording; the seconds of one decoding pass go to passSeconds.
bool Measure(const char* name, const std::string& path, double& passSeconds) {
    const auto payloads = Payloads(path);
    RecordingFile r;
    r.SetClockSource(RecordingFile::ClockSource{NoTime, nullptr});
    if (payloads.empty() || !r.Initialize() || !r.Open(path.c_str(), LockedFile::kRead)) {
        std::printf("%s: cannot read %s\n", name, path.c_str());
        return false;
    }
    r.SetQuickPlay(1);
    uint64_t applied = 0, records = 0;
    unsigned long long steadyAllocations = 0;
    Clock::duration steady{};
    for (int pass = 0; pass < kPasses; ++pass) {
        r.Restart();
        // The first record's ImageFormat replaces the two picture buffers on
        // every pass; allocations are counted from the second record on.
        unsigned long long before = allocations;
        const Clock::time_point start = Clock::now();
        while (r.PlayStep() || r.IsPlaying()) {
            if (pass == 0)
                continue;
            if (records % payloads.size() == 0)
                before = allocations;
            applied += r.GetInflated().used;
            ++records;
        }
        if (pass == 0)
            continue;
        steady += Clock::now() - start;
        steadyAllocations += allocations - before;
    }
    std::vector<uint8_t> out(r.GetInflated().capacity + 1);
    const double zlibSeconds = InflateAlone(payloads, out);
    const double seconds = Seconds(steady);
    passSeconds = seconds / (kPasses - 1);
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%s: %zu records, %.1f MB of FrameUpdates per pass\n", name, payloads.size(),
                double(applied) / (kPasses - 1) / 1e6);
    std::printf("  records/s                 %10.0f\n", double(records) / seconds);
    std::printf("  MB/s of FrameUpdate       %10.1f\n", double(applied) / seconds / 1e6);
    std::printf("  peak memory (process)     %10.1f MB\n", double(usage.ru_maxrss) / 1024);
    const uint64_t counted = records - (kPasses - 1);  // all but each pass's first record
    std::printf("  allocations per record    %10.3f (steady state, %llu in %llu records)\n",
                double(steadyAllocations) / double(counted), steadyAllocations,
                (unsigned long long)counted);
    std::printf("  full decode / inflate     %10.2f (%.3f s against %.3f s, target <= 1.2)\n",
                seconds / zlibSeconds, seconds, zlibSeconds);
    r.Close();
    r.Release();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string demo = argc > 1 ? argv[1] : "build/host/demo.vqd";
    const char* folder = std::getenv("TMPDIR");
    const std::string synthetic =
        std::string(folder && *folder ? folder : "/tmp") + "/qv-bench-1080p.vqd";
    std::printf("writing the synthetic 1920x1080 recording...\n");
    if (!WriteSyntheticSession(synthetic, kSyntheticFrames)) {
        std::printf("cannot write %s\n", synthetic.c_str());
        return 1;
    }
    double demoSeconds = 0, syntheticSeconds = 0;
    bool ok = Measure("demo", demo, demoSeconds);
    ok = Measure("synthetic 1920x1080x32", synthetic, syntheticSeconds) && ok;
    if (ok)
        CompareWithFfmpeg(kSyntheticFrames, syntheticSeconds);
    std::remove(synthetic.c_str());
    return ok ? 0 : 1;
}
