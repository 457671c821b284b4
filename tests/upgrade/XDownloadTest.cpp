// The downloader: its list without a network, then against the scripted test
// server on 127.0.0.1. Stopping and failing items are tested end to end in
// SaverUpgradeE2ETest.
#include "TestSupport.h"

#include "e2e/WindowWait.h"
#include "upgrade/XDownload.h"

TEST(XDownloadList, ItemsAreNamedFromTheUrlIntoTheFolder) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"http://host/dir/setup.exe", "C:\\T", "", "C:\\T\\setup.exe"},
        {"http://host/dir/setup.exe", "C:/T/", "", "C:/T/setup.exe"},
        {"http://host/dir/setup.exe", "", "", "setup.exe"},
        {"http://host/dir/setup.exe", "C:\\T", "upgrade.tmp", "C:\\T\\upgrade.tmp"},
        // A path ending in a slash or a URL that does not crack gives no name.
        {"http://host/dir/", "C:\\T", "", "C:\\T\\"},
        {"not a url", "C:\\T", "", "C:\\T\\"},
    };
    XDownload download;
    EXPECT_FALSE(download.IsDone(-1)) << "an empty list is neither done nor failed";
    EXPECT_FALSE(download.IsFailed(-1));
    EXPECT_EQ(download.GetPercent(), 0.0f);
    int expected = 0;
    for (const auto& [url, folder, fileName, path] : cases) {
        const int index = download.Add(url, folder, fileName, true);
        EXPECT_EQ(index, expected++);
        EXPECT_EQ(download.GetPath(index), path) << url << " in " << folder;
        EXPECT_FALSE(download.IsDone(index)) << "the size is not known yet";
    }
    for (int index : {-2, 6})
        EXPECT_EQ(download.GetPath(index), "");
    EXPECT_FALSE(download.IsDone(6));
}

// Three items into a new folder, named after the URLs added; requests: one for
// the size, one for the body; retries add more. Redirects are followed.
TEST(XDownload, BodiesArriveWholeAfterRetries) {
    const TestFolder folder;
    const std::string nested = folder.File("a\\b");
    const std::tuple<const char*, const char*, size_t, int> cases[] = {
        {"", "s/close/9000", 9000, 2},  // without Content-Length
        {"", "s/flaky/busy/3/5000", 5000, 5},
        {"s/redirect/302/", "s/broken/cut/20000", 20000, 3}};
    const std::string server = "http://" + test_server::HostAndPort() + "/";
    XDownload download;
    int index = 0;
    for (const auto& [redirect, path, length, requests] : cases)
        ASSERT_EQ(download.Add(server + redirect + path, nested, "", true), index++);
    ASSERT_TRUE(download.Start());
    ASSERT_TRUE(e2e::WaitUntil([&] { return download.IsDone(-1); }, 30000));
    EXPECT_FALSE(download.IsFailed(-1));
    EXPECT_EQ(download.GetTotalBytes(), 34000);
    EXPECT_EQ(download.GetReceivedBytes(), 34000);
    EXPECT_FLOAT_EQ(download.GetPercent(), 100.0f);
    for (const auto& [redirect, path, length, requests] : cases) {
        std::string served(length, '\0');  // as the test server sends it
        for (size_t i = 0; i < length; ++i)
            served[i] = static_cast<char>(i % 251);
        EXPECT_TRUE(FileContent(nested + "\\" + std::to_string(length)) == served) << path;
        EXPECT_EQ(test_server::RequestCount("/" + std::string(path)), requests) << path;
    }
}
