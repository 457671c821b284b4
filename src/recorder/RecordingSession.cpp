#include "recorder/RecordingSession.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "recorder/CaptureRegion.h"

namespace {

// Names of the objects that tie a recording to its file, the same for every
// spelling of the file's path: a hash of its full path, in capitals.
std::string ObjectName(const char* kind, const std::string& file) {
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(file.c_str(), MAX_PATH, full, nullptr);
    uint64_t hash = 14695981039346656037u;  // FNV-1a
    for (char c : std::string(length && length < MAX_PATH ? full : file.c_str())) {
        hash ^= uint8_t(std::toupper(static_cast<unsigned char>(c)));
        hash *= 1099511628211u;
    }
    char name[80];
    std::snprintf(name, sizeof name, "Local\\Quorvane.Recorder.%s.%016llx", kind,
                  static_cast<unsigned long long>(hash));
    return name;
}

// How long "/stop" waits for the recorder to complete its file.
constexpr DWORD kStopWaitMs = 60000;

// Why writing failed, as far as the disk tells.
std::string WriteProblem(const std::string& file) {
    ULARGE_INTEGER free = {};
    char full[MAX_PATH] = {};
    GetFullPathNameA(file.c_str(), MAX_PATH, full, nullptr);
    char root[4] = {full[0], ':', '\\', 0};
    if (GetDiskFreeSpaceExA(root, &free, nullptr, nullptr) && free.QuadPart < (1u << 20))
        return "the disk is full";
    return "the file could not be written";
}

}  // namespace

RECT VirtualScreen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

RecordingSession::RecordingSession(fs::Files& files) : files_(files) {}

RecordingSession::~RecordingSession() {
    Stop();
}

bool RecordingSession::Start(const SessionSettings& settings, std::string& problem) {
    file_ = settings.file;
    problem = RegionProblem(ToRect(settings.region), ToRect(VirtualScreen()));
    if (!problem.empty())
        return false;
    claim_ = CreateMutexA(nullptr, TRUE, ObjectName("Recording", file_).c_str());
    if (!claim_ || GetLastError() == ERROR_ALREADY_EXISTS) {
        problem = file_ + " is being recorded already.";
        if (claim_)
            CloseHandle(claim_);
        claim_ = nullptr;
        return false;
    }
    stopAsked_ = CreateEventA(nullptr, TRUE, FALSE, ObjectName("Stop", file_).c_str());
    if (!grabber_.Create(settings.region, settings.bitsPerPixel, RecordingPipeline::kSlots)) {
        problem = "There is not enough memory to record the region " +
                  RectText(ToRect(settings.region)) + ".";
        return false;
    }
    pipeline_ = std::make_unique<RecordingPipeline>(files_);
    const FrameFormat format{grabber_.BitmapInfo(), {0, 0, grabber_.Width(), grabber_.Height()}};
    if (!pipeline_->Start(file_.c_str(), settings.info, format, grabber_.SlotPixels())) {
        problem = "Cannot create " + file_ + ".";
        pipeline_.reset();
        return false;
    }
    if (!capture_.Start(grabber_, *pipeline_, settings.capture, stopAsked_)) {
        problem = "The screen cannot be captured.";
        Stop();
        return false;
    }
    return true;
}

RecordingSummary RecordingSession::Stop() {
    capture_.Stop();
    RecordingSummary summary;
    if (pipeline_) {
        summary = pipeline_->Finish();
        pipeline_.reset();
    }
    if (claim_)
        ReleaseMutex(claim_);
    for (HANDLE* h : {&claim_, &stopAsked_})
        if (*h) {
            CloseHandle(*h);
            *h = nullptr;
        }
    return summary;
}

std::string RecordingSession::Report(const RecordingSummary& summary) const {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f s", summary.durationMs / 1000.0);
    if (summary.writeFailed)
        return "Recording stopped: " + WriteProblem(file_) + ". " + file_ + " plays the first " +
               seconds + ".";
    if (!summary.written)
        return "Nothing could be written to " + file_ + ".";
    return "Recorded " + std::string(seconds) + " into " + file_ + " (" +
           std::to_string(summary.records) + " records, " + std::to_string(summary.dropped) +
           " frames dropped).";
}

bool StopRecordingOf(const std::string& file, std::string& problem) {
    HANDLE stop = OpenEventA(EVENT_MODIFY_STATE, FALSE, ObjectName("Stop", file).c_str());
    HANDLE claim = OpenMutexA(SYNCHRONIZE, FALSE, ObjectName("Recording", file).c_str());
    const bool running = stop && claim;
    bool stopped = false;
    if (!running) {
        problem = "No recording of " + file + " is running.";
    } else if (SetEvent(stop)) {
        const DWORD waited = WaitForSingleObject(claim, kStopWaitMs);
        stopped = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
        if (stopped)
            ReleaseMutex(claim);
        else
            problem = "The recording of " + file + " did not end within a minute.";
    }
    for (HANDLE h : {stop, claim})
        if (h)
            CloseHandle(h);
    return stopped;
}
