// The downloader against the scripted test server on 127.0.0.1.
#include "TestSupport.h"

#include "e2e/WindowWait.h"
#include "upgrade/XDownload.h"

#include <gtest/gtest.h>

namespace {
const DWORD bound = 30000;         // generous: nothing here should take long
const DWORD timeoutBound = 90000;  // two 10 s network time-outs and pauses

class XDownloadTest : public testing::Test {
  protected:
    // Adds one URL of the test server and starts.
    void StartOne(const std::string& path, const std::string& fileName = "body") {
        ASSERT_EQ(download.Add(test_server::Url(path), folder.Path(), fileName, true), 0);
        ASSERT_TRUE(download.Start());
    }
    bool WaitForEnd(DWORD timeoutMs = bound) {
        return e2e::WaitUntil([&] { return download.IsDone(-1); }, timeoutMs);
    }
    bool WaitForReceived(int bytes) {
        return e2e::WaitUntil([&] { return download.GetReceivedBytes() >= bytes; }, bound);
    }

    ProxySetting direct{""};
    DownloadTestFolder folder;
    XDownload download;
};

// A scenario of the test server: the body it serves, the requests the item
// takes (for a failure: at most) and how long it may take.
struct Body {
    const char* path;
    size_t length;
    int requests;
    DWORD timeoutMs;
};

class XDownloadBodyTest : public XDownloadTest, public testing::WithParamInterface<Body> {};
class XDownloadFailureTest : public XDownloadTest, public testing::WithParamInterface<Body> {};
class XDownloadProgressTest : public XDownloadTest, public testing::WithParamInterface<bool> {};
}  // namespace

TEST_P(XDownloadBodyTest, ArrivesWhole) {
    StartOne(GetParam().path);
    ASSERT_TRUE(WaitForEnd(GetParam().timeoutMs));
    EXPECT_FALSE(download.IsFailed(0));
    EXPECT_TRUE(HoldsServedBody(download.GetPath(0), GetParam().length));
    EXPECT_EQ(test_server::RequestCount("/" + std::string(GetParam().path)), GetParam().requests);
}

// Requests: one for the size, one for the body; retries add more. The network
// time-outs are 10 s; the stalling server closes after 12 s, which ends the
// wait where WinINet does not apply the time-outs (Wine does not).
INSTANTIATE_TEST_SUITE_P(
    Scenarios, XDownloadBodyTest,
    testing::Values(Body{"s/chunked/25000", 25000, 2, bound}, Body{"s/close/9000", 9000, 2, bound},
                    Body{"s/flaky/busy/3/5000", 5000, 5, bound},              // 3 refused
                    Body{"s/broken/cut/20000", 20000, 3, bound},              // broken once
                    Body{"s/stall/halt/20000/12", 20000, 3, timeoutBound}));  // stalled once

// The server holds the body back until the test opens a gate, and the rest
// after 4096 bytes until another: percent 0, then 40.96, then 100. Without a
// Content-Length the size is unknown and the percent 0 until the end.
TEST_P(XDownloadProgressTest, FollowsTheBody) {
    const bool sized = GetParam();
    const std::string key = sized ? "progress" : "unsized";
    StartOne(sized ? "s/gated/progress/10000" : "s/gated-close/unsized/10000");
    if (sized) {
        ASSERT_TRUE(e2e::WaitUntil([&] { return download.GetTotalBytes() == 10000; }, bound));
        EXPECT_EQ(download.GetPercent(), 0.0f) << "no body yet";
    }
    test_server::OpenGate(key + "-body");
    ASSERT_TRUE(WaitForReceived(4096));
    EXPECT_EQ(download.GetReceivedBytes(), 4096);
    EXPECT_EQ(download.GetTotalBytes(), sized ? 10000 : 0);
    if (sized)
        EXPECT_FLOAT_EQ(download.GetPercent(), 40.96f);
    else
        EXPECT_EQ(download.GetPercent(), 0.0f);
    EXPECT_FALSE(download.IsDone(0));
    test_server::OpenGate(key + "-rest");
    ASSERT_TRUE(WaitForEnd());
    EXPECT_FLOAT_EQ(download.GetPercent(), 100.0f);
    EXPECT_EQ(download.GetTotalBytes(), 10000);
    EXPECT_TRUE(download.IsDone(0));
    EXPECT_FALSE(download.IsFailed(-1));
    EXPECT_TRUE(HoldsServedBody(download.GetPath(0), 10000));
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutContentLength, XDownloadProgressTest, testing::Bool());

TEST_F(XDownloadTest, RedirectedItemsArriveInNewFolders) {
    const std::string nested = folder.Path() + "\\a\\b";
    ASSERT_EQ(download.Add(test_server::Url("s/redirect/301/s/len/3000"), nested, "", true), 0);
    ASSERT_EQ(download.Add(test_server::Url("s/redirect/302/s/len/5000"), nested, "", false), 1);
    ASSERT_TRUE(download.Start());
    ASSERT_TRUE(WaitForEnd());
    EXPECT_FALSE(download.IsFailed(-1));
    EXPECT_EQ(download.GetFileName(0), "3000") << "named after the URL that was added";
    EXPECT_TRUE(HoldsServedBody(nested + "\\3000", 3000));
    EXPECT_TRUE(HoldsServedBody(nested + "\\5000", 5000));
    EXPECT_EQ(download.GetTotalBytes(), 8000);
    EXPECT_EQ(download.GetReceivedBytes(), 8000);
}

// An item that fails is not retried, and a file lying at its path is deleted.
TEST_P(XDownloadFailureTest, FailsOnceInEachPhaseAndDeletesTheFileAtItsPath) {
    const std::string path = folder.File("missing");
    WriteTestFile(path, "an earlier download");
    ASSERT_TRUE(FileExists(path));
    StartOne(GetParam().path, "missing");
    ASSERT_TRUE(WaitForEnd(GetParam().timeoutMs));
    EXPECT_TRUE(download.IsFailed(0));
    EXPECT_TRUE(download.IsFailed(-1));
    EXPECT_FALSE(download.IsDone(0));
    EXPECT_FALSE(FileExists(path));
    const int requests = test_server::RequestCount("/" + std::string(GetParam().path));
    EXPECT_GE(requests, 2) << "one request in each phase";
    EXPECT_LE(requests, GetParam().requests) << "no retry of ours";
}

// WinINet itself may send a request again once when the connection closes
// without an answer, as the silent server's does after 12 s.
INSTANTIATE_TEST_SUITE_P(Scenarios, XDownloadFailureTest,
                         testing::Values(Body{"s/status/404", 0, 2, bound},
                                         Body{"s/silent/12", 0, 4, timeoutBound}));

TEST_F(XDownloadTest, ServerErrorIsRetriedUntilStop) {
    StartOne("s/status/503");
    ASSERT_TRUE(
        e2e::WaitUntil([] { return test_server::RequestCount("/s/status/503") >= 3; }, bound));
    download.Stop(XDownload::waitForever);
    EXPECT_FALSE(download.IsDone(-1));
    EXPECT_FALSE(FileExists(download.GetPath(0)));
}

// Stop deletes the partial file: at once when it waits for the worker, and
// by the worker on its own when it does not.
TEST_F(XDownloadTest, StopDuringTransferDeletesThePartialFile) {
    std::string early;
    {
        XDownload left;
        left.Add(test_server::Url("s/trickle/400000"), folder.Path(), "early", true);
        ASSERT_TRUE(left.Start());
        StartOne("s/trickle/400000");
        ASSERT_TRUE(e2e::WaitUntil([&] { return left.GetReceivedBytes() >= 4096; }, bound));
        early = left.GetPath(0);
        left.Stop(0);
    }
    ASSERT_TRUE(WaitForReceived(4096));
    ASSERT_TRUE(FileExists(download.GetPath(0)));
    download.Stop(XDownload::waitForever);
    EXPECT_FALSE(FileExists(download.GetPath(0)));
    EXPECT_TRUE(download.IsFailed(0));
    EXPECT_FALSE(download.IsDone(-1));
    EXPECT_TRUE(e2e::WaitUntil([&] { return !FileExists(early); }, bound))
        << "closed and deleted by the worker";
}
