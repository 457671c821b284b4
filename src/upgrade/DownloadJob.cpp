#include "upgrade/DownloadJob.h"

#include "upgrade/CreateDirectoryPath.h"
#include "upgrade/ErrorText.h"
#include "upgrade/HttpHeaderValues.h"
#include "upgrade/InternetRequest.h"
#include "upgrade/InternetSession.h"

#include <climits>
#include <memory>
#include <new>

namespace {
const DWORD retryPauseMs = 1000;

// The request for the item's URL; none without a session.
HINTERNET OpenItem(const InternetSession& session, const DownloadItem& item) {
    return session.IsOpen() ? session.OpenUrl(item.url, item.useCache) : nullptr;
}

// A file being written by one download attempt, closed with the object.
class OutputFile {
  public:
    explicit OutputFile(const std::string& path)
        : handle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OutputFile() {
        if (IsOpen())
            CloseHandle(handle);
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool IsOpen() const { return handle != INVALID_HANDLE_VALUE; }
    bool Write(const char* data, DWORD size) {
        DWORD written = 0;
        return WriteFile(handle, data, size, &written, nullptr) && written == size;
    }

  private:
    HANDLE handle;
};

int AddCount(int count, DWORD more) {
    return more > static_cast<DWORD>(INT_MAX - count) ? INT_MAX : count + static_cast<int>(more);
}
}  // namespace

DownloadJob::DownloadJob(const std::string& userAgent)
    : userAgent(userAgent), stopEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

DownloadJob::~DownloadJob() {
    if (stopEvent)
        CloseHandle(stopEvent);
}

void DownloadJob::Run() {
    const int count = static_cast<int>(items.size());
    for (int i = 0; i < count && !IsStopRequested(); ++i)
        QuerySize(i);
    int i = 0;
    for (; i < count && !IsStopRequested(); ++i) {
        downloadIndex = i;
        items[i].failed = DownloadFile(i) ? 0 : 1;
    }
    if (!IsStopRequested())
        downloadIndex = i;
}

void DownloadJob::RequestStop() {
    stopRequested = true;
    if (stopEvent)
        SetEvent(stopEvent);
}

template <typename AttemptOnce>
bool DownloadJob::Repeat(AttemptOnce attemptOnce) {
    for (;;) {
        const Attempt attempt = attemptOnce();
        if (attempt == Attempt::Succeeded)
            return true;
        if (IsStopRequested())
            return false;
        if (stopEvent)
            WaitForSingleObject(stopEvent, retryPauseMs);
        else
            Sleep(retryPauseMs);
        if (attempt != Attempt::Retry || IsStopRequested())
            return false;
    }
}

bool DownloadJob::QuerySize(int index) {
    const InternetSession session(userAgent);
    unsigned status = 0;
    return Repeat([&] { return QuerySizeOnce(session, items[index], status); });
}

DownloadJob::Attempt DownloadJob::QuerySizeOnce(const InternetSession& session, DownloadItem& item,
                                                unsigned& status) {
    const InternetRequest request(OpenItem(session, item));
    const Attempt answer = AnswerAttempt(request, status);
    if (answer == Attempt::Succeeded) {
        const int length = request.ContentLength();
        if (length >= 0)
            item.totalBytes = length;
    }
    return answer;
}

DownloadJob::Attempt DownloadJob::AnswerAttempt(const InternetRequest& request, unsigned& status) {
    if (!request.IsOpen())
        return Attempt::Failed;
    status = request.Status(status);
    switch (ClassifyStatus(status)) {
        case StatusOutcome::Proceed:
            return Attempt::Succeeded;
        case StatusOutcome::Retry:
            return Attempt::Retry;
        case StatusOutcome::Fail:
            break;
    }
    return Attempt::Failed;
}

bool DownloadJob::DownloadFile(int index) {
    DownloadItem& item = items[index];
    const InternetSession session(userAgent);
    unsigned status = 0;
    if (Repeat([&] { return DownloadOnce(session, item, status); })) {
        item.totalBytes = item.receivedBytes.load();
        return true;
    }
    DeleteFileA(item.Path().c_str());
    return false;
}

DownloadJob::Attempt DownloadJob::DownloadOnce(const InternetSession& session, DownloadItem& item,
                                               unsigned& status) {
    const InternetRequest request(OpenItem(session, item));
    const Attempt answer = AnswerAttempt(request, status);
    if (answer != Attempt::Succeeded)
        return answer;

    CreateDirectoryPath(item.folder.c_str(), true);
    const std::string path = item.Path();
    OutputFile file(path);
    if (!file.IsOpen()) {
        FormatOpenError("in XDownload::DownloadFile(\"%s\")", path.c_str());
        return Attempt::Failed;
    }
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[chunkSize]());
    if (!buffer) {
        FormatAllocError("in XDownload::DownloadFile(\"%s\")", path.c_str());
        return Attempt::Failed;
    }
    // A body that ends before the length its response announced broke off.
    const int announcedBytes = request.ContentLength();
    item.receivedBytes = 0;
    DWORD bytesRead = 0;
    while (request.Read(buffer.get(), chunkSize, bytesRead)) {
        item.receivedBytes = AddCount(item.receivedBytes, bytesRead);
        if (bytesRead == 0)
            return item.receivedBytes < announcedBytes ? Attempt::Retry : Attempt::Succeeded;
        if (!file.Write(buffer.get(), bytesRead))
            return Attempt::Failed;
        if (IsStopRequested())
            return Attempt::Failed;
    }
    return Attempt::Retry;
}
