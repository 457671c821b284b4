// The download list without a network: naming, sums and the start rules.
#include "upgrade/XDownload.h"

#include <gtest/gtest.h>

TEST(XDownloadList, FileNameComesFromTheUrlAndFolderGetsABackslash)
{
    XDownload download;
    EXPECT_EQ(download.Add("http://host/dir/setup.exe", "C:\\T", "", true), 0);
    EXPECT_EQ(download.GetFolder(0), "C:\\T\\");
    EXPECT_EQ(download.GetFileName(0), "setup.exe");
    EXPECT_EQ(download.GetPath(0), "C:\\T\\setup.exe");
}

TEST(XDownloadList, FolderEndingInASeparatorOrEmptyIsKept)
{
    XDownload download;
    download.Add("http://host/dir/setup.exe", "C:\\T\\", "", true);
    download.Add("http://host/dir/setup.exe", "C:/T/", "", true);
    download.Add("http://host/dir/setup.exe", "", "", true);
    EXPECT_EQ(download.GetFolder(0), "C:\\T\\");
    EXPECT_EQ(download.GetFolder(1), "C:/T/");
    EXPECT_EQ(download.GetFolder(2), "");
    EXPECT_EQ(download.GetPath(2), "setup.exe");
}

TEST(XDownloadList, GivenFileNameIsKept)
{
    XDownload download;
    download.Add("http://host/dir/setup.exe", "C:\\T", "upgrade.tmp", false);
    EXPECT_EQ(download.GetPath(0), "C:\\T\\upgrade.tmp");
}

TEST(XDownloadList, PathEndingInSlashOrUncrackableUrlGivesNoName)
{
    XDownload download;
    download.Add("http://host/dir/", "C:\\T", "", true);
    download.Add("not a url", "C:\\T", "", true);
    download.Add("http://host", "C:\\T", "", true);
    EXPECT_EQ(download.GetFileName(0), "");
    EXPECT_EQ(download.GetFileName(1), "");
    EXPECT_EQ(download.GetFileName(2), "");
    EXPECT_EQ(download.GetCount(), 3);
}

TEST(XDownloadList, IndexOutsideTheListGivesEmptyTextsAndNoState)
{
    XDownload download;
    download.Add("http://host/a.exe", "C:\\T", "", true);
    for (int index : {-2, -1, 1, 100}) {
        EXPECT_EQ(download.GetFolder(index), "");
        EXPECT_EQ(download.GetFileName(index), "");
        EXPECT_EQ(download.GetPath(index), "");
    }
    for (int index : {-2, 1, 100}) {
        EXPECT_FALSE(download.IsDone(index));
        EXPECT_FALSE(download.IsFailed(index));
    }
}

TEST(XDownloadList, EmptyListIsNeitherDoneNorFailed)
{
    XDownload download;
    EXPECT_EQ(download.GetCount(), 0);
    EXPECT_FALSE(download.IsDone(-1));
    EXPECT_FALSE(download.IsFailed(-1));
    EXPECT_EQ(download.GetTotalBytes(), 0);
    EXPECT_EQ(download.GetReceivedBytes(), 0);
    EXPECT_EQ(download.GetPercent(), 0.0f);
}

TEST(XDownloadList, ItemsBeforeTheSizeIsKnownAreNotDone)
{
    XDownload download;
    download.Add("http://host/a.exe", "C:\\T", "", true);
    EXPECT_FALSE(download.IsDone(0));
    EXPECT_FALSE(download.IsFailed(0));
}

TEST(XDownloadList, SecondStartFailsAndAddAfterStartIsRefused)
{
    XDownload download;
    download.Add("not a url", "", "x", true);
    ASSERT_TRUE(download.Start());
    EXPECT_FALSE(download.Start());
    EXPECT_EQ(download.Add("http://host/b.exe", "C:\\T", "", true), -1);
    EXPECT_EQ(download.GetCount(), 1);
}

TEST(XDownloadList, ResetEmptiesAStartedList)
{
    XDownload download;
    download.Add("not a url", "", "x", true);
    ASSERT_TRUE(download.Start());
    download.Reset();
    EXPECT_EQ(download.GetCount(), 0);
    EXPECT_EQ(download.Add("http://host/b.exe", "C:\\T", "", true), 0);
    EXPECT_EQ(download.GetFileName(0), "b.exe");
}

TEST(XDownloadList, StopForgetsTheWorkerAndIsDoneTurnsFalse)
{
    XDownload download;
    download.Add("not a url", "", "x", true);
    ASSERT_TRUE(download.Start());
    download.Stop(XDownload::waitForever);
    EXPECT_FALSE(download.IsDone(-1));
    download.Stop(XDownload::waitForever);
    EXPECT_FALSE(download.Start()) << "stays started until Reset";
}
