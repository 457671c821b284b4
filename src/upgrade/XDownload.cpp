#include "upgrade/XDownload.h"

#include "upgrade/UrlFileName.h"

#include <climits>

namespace {
DWORD WINAPI DownloadThread(void* parameter) {
    const std::unique_ptr<std::shared_ptr<DownloadJob>> job(
        static_cast<std::shared_ptr<DownloadJob>*>(parameter));
    (*job)->Run();
    return 0;
}

std::string FolderWithSeparator(const std::string& folder) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
        return folder;
    return folder + '\\';
}

// The known counts of one field over the items, at most INT_MAX.
int SumOf(const std::deque<DownloadItem>& items, std::atomic<int> DownloadItem::*count) {
    long long sum = 0;
    for (const DownloadItem& item : items) {
        const int value = item.*count;
        sum += value > 0 ? value : 0;
    }
    return sum > INT_MAX ? INT_MAX : static_cast<int>(sum);
}
}  // namespace

XDownload::XDownload() : job(std::make_shared<DownloadJob>(userAgent)) {}

XDownload::~XDownload() {
    Reset();
}

void XDownload::SetUserAgent(const std::string& agent) {
    userAgent = agent;
    if (!started)
        job->userAgent = agent;
}

int XDownload::Add(const std::string& url, const std::string& folder, const std::string& fileName,
                   bool useCache) {
    if (started)
        return -1;
    job->items.emplace_back(url, FolderWithSeparator(folder),
                            fileName.empty() ? UrlFileName(url) : fileName, useCache);
    return static_cast<int>(job->items.size()) - 1;
}

bool XDownload::Start() {
    if (started)
        return false;
    started = true;
    auto* workerJob = new std::shared_ptr<DownloadJob>(job);
    worker = CreateThread(nullptr, 0, DownloadThread, workerJob, 0, nullptr);
    if (!worker) {
        delete workerJob;
        Stop(0);
        return false;
    }
    return true;
}

void XDownload::Stop(DWORD timeoutMs) {
    if (job->IsStopRequested())
        return;
    job->RequestStop();
    if (worker) {
        WaitForSingleObject(worker, timeoutMs);
        CloseHandle(worker);
        worker = nullptr;
    }
    job->downloadIndex = -1;
}

void XDownload::Reset() {
    Stop(0);
    started = false;
    job = std::make_shared<DownloadJob>(userAgent);
}

int XDownload::GetCount() const {
    return static_cast<int>(job->items.size());
}

const DownloadItem* XDownload::Item(int index) const {
    return index >= 0 && index < GetCount() ? &job->items[index] : nullptr;
}

std::string XDownload::GetFolder(int index) const {
    const DownloadItem* item = Item(index);
    return item ? item->folder : std::string();
}

std::string XDownload::GetFileName(int index) const {
    const DownloadItem* item = Item(index);
    return item ? item->fileName : std::string();
}

std::string XDownload::GetPath(int index) const {
    const DownloadItem* item = Item(index);
    return item ? item->Path() : std::string();
}

int XDownload::GetTotalBytes() const {
    return SumOf(job->items, &DownloadItem::totalBytes);
}

int XDownload::GetReceivedBytes() const {
    return SumOf(job->items, &DownloadItem::receivedBytes);
}

float XDownload::GetPercent() const {
    const int total = GetTotalBytes();
    return total > 0 ? static_cast<float>(GetReceivedBytes() * 100.0 / total) : 0.0f;
}

bool XDownload::IsDone(int index) const {
    if (index == -1)
        return !job->IsStopRequested() && job->downloadIndex >= GetCount();
    const DownloadItem* item = Item(index);
    if (!item)
        return false;
    const int total = item->totalBytes;
    return total >= 0 && item->receivedBytes >= total;
}

bool XDownload::IsFailed(int index) const {
    if (index == -1) {
        for (const DownloadItem& item : job->items)
            if (item.failed)
                return true;
        return false;
    }
    const DownloadItem* item = Item(index);
    return item && item->failed;
}
