#pragma once
#include "upgrade/DownloadJob.h"

#include <windows.h>

#include <memory>
#include <string>

// Downloads an ordered list of URLs, each into a file of its own, on one
// worker thread: first it asks for the size of every item, then it downloads
// them in order. Server errors (5xx) and broken transfers are retried every
// second until they succeed or Stop is called; other failures end the item.
// The owner polls progress, completion and failure, typically from a timer.
//
// Calling order: SetUserAgent, Add (one or more), Start, poll, destroy.
class XDownload {
  public:
    static const DWORD waitForever = INFINITE;

    XDownload();
    virtual ~XDownload();
    XDownload(const XDownload&) = delete;
    XDownload& operator=(const XDownload&) = delete;

    // Before Start; Reset keeps it.
    void SetUserAgent(const std::string& userAgent);
    // Adds a URL to download into folder (a backslash is appended unless it is
    // empty or ends in one or a slash) under fileName, or the name taken from
    // the URL when fileName is empty. useCache false always asks the server.
    // Returns the item's index, or -1 once started.
    int Add(const std::string& url, const std::string& folder, const std::string& fileName,
            bool useCache);
    // Starts the worker; false when already started or the thread cannot be made.
    bool Start();
    // Asks the worker to stop and waits up to timeoutMs (0: not at all) for it.
    // A worker that has not ended by then finishes on its own when it notices
    // the request (within one chunk or one network time-out), closing and
    // deleting the file it was writing; it touches nothing of this object.
    void Stop(DWORD timeoutMs);
    // Stop without waiting, then an empty, unstarted list.
    void Reset();

    int GetCount() const;
    // Empty for an index outside the list.
    std::string GetFolder(int index) const;
    std::string GetFileName(int index) const;
    std::string GetPath(int index) const;
    // Sums over the items whose counts are known.
    int GetTotalBytes() const;
    int GetReceivedBytes() const;
    // received * 100 / total, or 0 while no total is known.
    float GetPercent() const;
    // Index -1: the worker went through the whole list (false after Stop).
    // Otherwise: the item's size is known and fully received.
    bool IsDone(int index) const;
    // Index -1: any item failed. Otherwise: the item failed.
    bool IsFailed(int index) const;

  private:
    const DownloadItem* Item(int index) const;

    std::string userAgent = "XDownload";
    std::shared_ptr<DownloadJob> job;
    bool started = false;
    HANDLE worker = nullptr;
};
