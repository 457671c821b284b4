// The downloader against the scripted test server on 127.0.0.1.
#include "DownloadTestFolder.h"
#include "ProxySetting.h"
#include "TestServer.h"

#include "e2e/WindowWait.h"
#include "upgrade/XDownload.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
const DWORD bound = 30000;       // generous: nothing here should take long
const DWORD timeoutBound = 90000; // two 10 s network time-outs and pauses

class XDownloadTest : public testing::Test {
protected:
    // Adds one URL of the test server and starts.
    void StartOne(const std::string& path, const std::string& fileName = "body")
    {
        ASSERT_EQ(download.Add(test_server::Url(path), folder.Path(), fileName, true), 0);
        ASSERT_TRUE(download.Start());
    }
    bool WaitForEnd(DWORD timeoutMs = bound)
    {
        return e2e::WaitUntil([&] { return download.IsDone(-1); }, timeoutMs);
    }
    bool WaitForReceived(int bytes)
    {
        return e2e::WaitUntil([&] { return download.GetReceivedBytes() >= bytes; }, bound);
    }

    ProxySetting direct{""};
    DownloadTestFolder folder;
    XDownload download;
};
} // namespace

TEST_F(XDownloadTest, ContentLengthGivesProgressFromTheStart)
{
    StartOne("s/gated/progress/10000");
    ASSERT_TRUE(e2e::WaitUntil([&] { return download.GetTotalBytes() == 10000; }, bound));
    EXPECT_EQ(download.GetPercent(), 0.0f) << "no body yet";
    test_server::OpenGate("progress-body");
    ASSERT_TRUE(WaitForReceived(4096));
    EXPECT_EQ(download.GetReceivedBytes(), 4096);
    EXPECT_FLOAT_EQ(download.GetPercent(), 40.96f);
    EXPECT_FALSE(download.IsDone(0));
    test_server::OpenGate("progress-rest");
    ASSERT_TRUE(WaitForEnd());
    EXPECT_FLOAT_EQ(download.GetPercent(), 100.0f);
    EXPECT_TRUE(download.IsDone(0));
    EXPECT_FALSE(download.IsFailed(-1));
    EXPECT_TRUE(HoldsServedBody(download.GetPath(0), 10000));
}

TEST_F(XDownloadTest, WithoutContentLengthProgressStaysZeroUntilDone)
{
    StartOne("s/gated-close/unsized/10000");
    test_server::OpenGate("unsized-body");
    ASSERT_TRUE(WaitForReceived(4096));
    EXPECT_EQ(download.GetTotalBytes(), 0);
    EXPECT_EQ(download.GetPercent(), 0.0f);
    test_server::OpenGate("unsized-rest");
    ASSERT_TRUE(WaitForEnd());
    EXPECT_FLOAT_EQ(download.GetPercent(), 100.0f);
    EXPECT_EQ(download.GetTotalBytes(), 10000);
    EXPECT_TRUE(HoldsServedBody(download.GetPath(0), 10000));
}

TEST_F(XDownloadTest, ChunkedBody)
{
    StartOne("s/chunked/25000");
    ASSERT_TRUE(WaitForEnd());
    EXPECT_FALSE(download.IsFailed(0));
    EXPECT_TRUE(HoldsServedBody(download.GetPath(0), 25000));
}

TEST_F(XDownloadTest, BodyEndedByClosing)
{
    StartOne("s/close/9000");
    ASSERT_TRUE(WaitForEnd());
    EXPECT_FALSE(download.IsFailed(0));
    EXPECT_TRUE(HoldsServedBody(download.GetPath(0), 9000));
}

TEST_F(XDownloadTest, RedirectsAreFollowed)
{
    ASSERT_EQ(download.Add(test_server::Url("s/redirect/301/s/len/3000"), folder.Path(), "", true), 0);
    ASSERT_EQ(download.Add(test_server::Url("s/redirect/302/s/len/5000"), folder.Path(), "", true), 1);
    ASSERT_TRUE(download.Start());
    ASSERT_TRUE(WaitForEnd());
    EXPECT_FALSE(download.IsFailed(-1));
    EXPECT_EQ(download.GetFileName(0), "3000") << "named after the URL that was added";
    EXPECT_TRUE(HoldsServedBody(download.GetPath(0), 3000));
    EXPECT_TRUE(HoldsServedBody(download.GetPath(1), 5000));
    EXPECT_EQ(download.GetTotalBytes(), 8000);
}

TEST_F(XDownloadTest, ItemsAreDownloadedInOrderIntoNewFolders)
{
    const std::string nested = folder.Path() + "\\a\\b";
    ASSERT_EQ(download.Add(test_server::Url("s/len/100"), nested, "", true), 0);
    ASSERT_EQ(download.Add(test_server::Url("s/len/200"), nested, "", false), 1);
    ASSERT_TRUE(download.Start());
    ASSERT_TRUE(WaitForEnd());
    EXPECT_TRUE(HoldsServedBody(nested + "\\100", 100));
    EXPECT_TRUE(HoldsServedBody(nested + "\\200", 200));
    EXPECT_EQ(download.GetReceivedBytes(), 300);
}

TEST_F(XDownloadTest, NotFoundFailsOnceInEachPhaseAndDeletesTheFileAtItsPath)
{
    const std::string path = folder.File("missing");
    WriteTestFile(path, "an earlier download");
    ASSERT_TRUE(FileExists(path));
    StartOne("s/status/404", "missing");
    ASSERT_TRUE(WaitForEnd());
    EXPECT_TRUE(download.IsFailed(0));
    EXPECT_TRUE(download.IsFailed(-1));
    EXPECT_FALSE(download.IsDone(0));
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(test_server::RequestCount("/s/status/404"), 2) << "no retry";
}

TEST_F(XDownloadTest, ServerErrorIsRetriedUntilStop)
{
    StartOne("s/status/503");
    ASSERT_TRUE(e2e::WaitUntil([] { return test_server::RequestCount("/s/status/503") >= 3; }, bound));
    download.Stop(XDownload::waitForever);
    EXPECT_FALSE(download.IsDone(-1));
    EXPECT_FALSE(FileExists(download.GetPath(0)));
}

TEST_F(XDownloadTest, ServerErrorsThenSuccess)
{
    StartOne("s/flaky/busy/3/5000");
    ASSERT_TRUE(WaitForEnd());
    EXPECT_FALSE(download.IsFailed(0));
    EXPECT_TRUE(HoldsServedBody(download.GetPath(0), 5000));
    EXPECT_EQ(test_server::RequestCount("/s/flaky/busy/3/5000"), 5) << "3 refused, 1 size, 1 download";
}

TEST_F(XDownloadTest, BrokenTransferIsRetriedFromTheStart)
{
    StartOne("s/broken/cut/20000");
    ASSERT_TRUE(WaitForEnd());
    EXPECT_FALSE(download.IsFailed(0));
    EXPECT_TRUE(HoldsServedBody(download.GetPath(0), 20000));
    EXPECT_EQ(test_server::RequestCount("/s/broken/cut/20000"), 3) << "size, broken, complete";
}

TEST_F(XDownloadTest, ContentLengthThatIsNoNumberLeavesTheSizeUnknown)
{
    StartOne("s/bad-length/3000");
    ASSERT_TRUE(e2e::WaitUntil([&] { return download.IsDone(-1) || download.IsFailed(-1); }, bound));
    EXPECT_GE(download.GetTotalBytes(), 0);
    EXPECT_LE(download.GetTotalBytes(), 3000);
    EXPECT_GE(download.GetPercent(), 0.0f);
    EXPECT_LE(download.GetPercent(), 100.0f);
}

TEST_F(XDownloadTest, StopDuringTransferDeletesThePartialFile)
{
    StartOne("s/trickle/400000");
    ASSERT_TRUE(WaitForReceived(4096));
    ASSERT_TRUE(FileExists(download.GetPath(0)));
    download.Stop(XDownload::waitForever);
    EXPECT_FALSE(FileExists(download.GetPath(0)));
    EXPECT_TRUE(download.IsFailed(0));
    EXPECT_FALSE(download.IsDone(-1));
}

TEST_F(XDownloadTest, WorkerLeftBehindByStopEndsOnItsOwn)
{
    std::string path;
    {
        XDownload early;
        early.Add(test_server::Url("s/trickle/400000"), folder.Path(), "early", true);
        ASSERT_TRUE(early.Start());
        ASSERT_TRUE(e2e::WaitUntil([&] { return early.GetReceivedBytes() >= 4096; }, bound));
        path = early.GetPath(0);
        early.Stop(0);
    }
    EXPECT_TRUE(e2e::WaitUntil([&] { return !FileExists(path); }, bound)) << "closed and deleted by the worker";
}

// The network time-outs are 10 s; the server closes after 12 s, which ends
// the wait where WinINet does not apply the time-outs (Wine does not).
TEST_F(XDownloadTest, StalledTransferIsRetried)
{
    const DWORD start = GetTickCount();
    StartOne("s/stall/halt/20000/12");
    ASSERT_TRUE(WaitForEnd(timeoutBound));
    EXPECT_FALSE(download.IsFailed(0));
    EXPECT_TRUE(HoldsServedBody(download.GetPath(0), 20000));
    EXPECT_EQ(test_server::RequestCount("/s/stall/halt/20000/12"), 3) << "size, stalled, complete";
    std::printf("a stalled body was given up after %lu ms\n", GetTickCount() - start);
}

TEST_F(XDownloadTest, ServerThatNeverAnswersFailsWithoutRetry)
{
    const DWORD start = GetTickCount();
    StartOne("s/silent/12");
    ASSERT_TRUE(WaitForEnd(timeoutBound));
    EXPECT_TRUE(download.IsFailed(0));
    // WinINet itself may send a request again once when the connection closes without an answer.
    EXPECT_GE(test_server::RequestCount("/s/silent/12"), 2) << "one request in each phase";
    EXPECT_LE(test_server::RequestCount("/s/silent/12"), 4) << "no retry of ours";
    std::printf("a silent server failed the item after %lu ms\n", GetTickCount() - start);
}
