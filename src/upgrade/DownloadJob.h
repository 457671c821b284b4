#pragma once
#include <windows.h>

#include <atomic>
#include <deque>
#include <string>

class InternetRequest;
class InternetSession;

// One URL of a download list with what the worker found out about it.
struct DownloadItem {
    DownloadItem(const std::string& url, const std::string& folder, const std::string& fileName,
                 bool useCache)
        : url(url), folder(folder), fileName(fileName), useCache(useCache) {}
    std::string Path() const { return folder + fileName; }

    const std::string url;
    const std::string folder;
    const std::string fileName;
    const bool useCache;
    std::atomic<int> totalBytes{-1};     // -1: unknown
    std::atomic<int> receivedBytes{-1};  // -1: no attempt reached the body yet
    std::atomic<int> failed{0};
};

// The list and the progress shared by an XDownload object and its worker
// thread. The worker holds a reference of its own, so a worker that outlives
// its XDownload object still works on valid data until it notices the stop
// request. The items are fixed before the worker starts; the counts, failed
// fields and the download index are written by the worker and read by the
// owner.
class DownloadJob {
  public:
    static const DWORD chunkSize = 4096;

    explicit DownloadJob(const std::string& userAgent);
    ~DownloadJob();
    DownloadJob(const DownloadJob&) = delete;
    DownloadJob& operator=(const DownloadJob&) = delete;

    // The worker: sizes every item, then downloads every item, until stopped.
    void Run();
    // Asks the worker to stop at its next check and ends its pauses.
    void RequestStop();
    bool IsStopRequested() const { return stopRequested.load(); }

    std::string userAgent;  // fixed once the worker runs
    std::deque<DownloadItem> items;
    std::atomic<int> downloadIndex{-1};

  private:
    enum class Attempt { Succeeded, Failed, Retry };

    bool QuerySize(int index);
    bool DownloadFile(int index);
    Attempt QuerySizeOnce(const InternetSession& session, DownloadItem& item, unsigned& status);
    Attempt DownloadOnce(const InternetSession& session, DownloadItem& item, unsigned& status);
    // The attempt as far as the answer decides it: Succeeded when its body
    // may be read.
    static Attempt AnswerAttempt(const InternetRequest& request, unsigned& status);
    // Repeats an attempt with one-second pauses while it asks for a retry and
    // no stop is requested; a failure without retry still costs one pause.
    template <typename AttemptOnce>
    bool Repeat(AttemptOnce attemptOnce);

    std::atomic<bool> stopRequested{false};
    HANDLE stopEvent;  // signalled with the stop request; cuts the pauses short
};
