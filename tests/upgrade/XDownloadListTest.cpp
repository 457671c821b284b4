// The download list without a network: naming, sums and the start rules.
#include "upgrade/XDownload.h"

#include <gtest/gtest.h>

TEST(XDownloadList, ItemsAreNamedFromTheUrlIntoTheFolder) {
    struct Case {
        const char *url, *folder, *fileName, *expectedFolder, *expectedName, *expectedPath;
    };
    const Case cases[] = {
        {"http://host/dir/setup.exe", "C:\\T", "", "C:\\T\\", "setup.exe", "C:\\T\\setup.exe"},
        {"http://host/dir/setup.exe", "C:\\T\\", "", "C:\\T\\", "setup.exe", "C:\\T\\setup.exe"},
        {"http://host/dir/setup.exe", "C:/T/", "", "C:/T/", "setup.exe", "C:/T/setup.exe"},
        {"http://host/dir/setup.exe", "", "", "", "setup.exe", "setup.exe"},
        {"http://host/dir/setup.exe", "C:\\T", "upgrade.tmp", "C:\\T\\", "upgrade.tmp",
         "C:\\T\\upgrade.tmp"},
        // A path ending in a slash or a URL that does not crack gives no name.
        {"http://host/dir/", "C:\\T", "", "C:\\T\\", "", "C:\\T\\"},
        {"not a url", "C:\\T", "", "C:\\T\\", "", "C:\\T\\"},
        {"http://host", "C:\\T", "", "C:\\T\\", "", "C:\\T\\"},
    };
    XDownload download;
    EXPECT_EQ(download.GetCount(), 0);
    EXPECT_FALSE(download.IsDone(-1)) << "an empty list is neither done nor failed";
    EXPECT_FALSE(download.IsFailed(-1));
    EXPECT_EQ(download.GetTotalBytes(), 0);
    EXPECT_EQ(download.GetReceivedBytes(), 0);
    EXPECT_EQ(download.GetPercent(), 0.0f);
    for (const Case& c : cases) {
        const int index = download.Add(c.url, c.folder, c.fileName, true);
        EXPECT_EQ(index, &c - cases);
        EXPECT_EQ(download.GetFolder(index), c.expectedFolder) << c.url << " in " << c.folder;
        EXPECT_EQ(download.GetFileName(index), c.expectedName) << c.url << " in " << c.folder;
        EXPECT_EQ(download.GetPath(index), c.expectedPath) << c.url << " in " << c.folder;
        EXPECT_FALSE(download.IsDone(index)) << "the size is not known yet";
        EXPECT_FALSE(download.IsFailed(index));
    }
    EXPECT_EQ(download.GetCount(), 8);
    for (int index : {-2, -1, 8, 100}) {
        EXPECT_EQ(download.GetFolder(index), "");
        EXPECT_EQ(download.GetFileName(index), "");
        EXPECT_EQ(download.GetPath(index), "");
        if (index != -1) {
            EXPECT_FALSE(download.IsDone(index));
            EXPECT_FALSE(download.IsFailed(index));
        }
    }
}

// Stop forgets the worker, but the list stays started until Reset.
TEST(XDownloadList, StartsOnceAndTakesNothingMoreUntilReset) {
    XDownload download;
    download.Add("not a url", "", "x", true);
    ASSERT_TRUE(download.Start());
    EXPECT_FALSE(download.Start());
    EXPECT_EQ(download.Add("http://host/b.exe", "C:\\T", "", true), -1);
    EXPECT_EQ(download.GetCount(), 1);
    download.Stop(XDownload::waitForever);
    EXPECT_FALSE(download.IsDone(-1));
    download.Stop(XDownload::waitForever);
    EXPECT_FALSE(download.Start());
    download.Reset();
    EXPECT_EQ(download.GetCount(), 0);
    EXPECT_EQ(download.Add("http://host/b.exe", "C:\\T", "", true), 0);
    EXPECT_EQ(download.GetFileName(0), "b.exe");
}
