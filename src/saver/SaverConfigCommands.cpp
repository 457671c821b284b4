// The buttons of the configuration dialog: the recorder, the recording's
// header (or a folder's summary), the About box and the choice of a
// recording file or folder.
#include "saver/SaverConfigDlg.h"

#include "classlib/FileDialog.h"
#include "classlib/FolderDialog.h"
#include "classlib/MessageBox.h"
#include "resources/ResourceIds.h"
#include "saver/FileInfoDlg.h"
#include "saver/FolderRecordings.h"
#include "saver/FolderSummary.h"
#include "saver/RecorderPath.h"
#include "saver/RecordingFilter.h"
#include "upgrade/AboutBox.h"
#include "upgrade/LaunchProcess.h"
#include "upgrade/ShellOpen.h"

BOOL SaverConfigDlg::LaunchRecorder() {
    const std::string program = RecorderProgramPath(RecorderFolder());
    return LaunchProcess(program.c_str(), nullptr, 0) ? TRUE : FALSE;
}

void SaverConfigDlg::OnNewRecording() {
    if (LaunchRecorder()) {
        OnCancel();
        return;
    }
    if (ShowResourceMessage(GetSafeHwnd(), IDS_RECORDER_MISSING, versionStrings.productName,
                            MB_YESNO | MB_ICONINFORMATION) == IDYES)
        ShellOpen(QV_WEB_SITE, nullptr, 0);
}

void SaverConfigDlg::OnFileInfo() {
    UpdateData(TRUE);
    FileInfoDlg info;
    if (!recordingPath.empty() && IsFolder(recordingPath)) {
        info.SetFromFolder(SummariseFolder(recordingPath, vqdFile, exeFile));
    } else {
        currentFile = IsEmbeddedRecording(recordingPath.c_str())
                          ? static_cast<RecordingFile*>(&exeFile)
                          : &vqdFile;
        currentFile->LoadHeaderFrom(recordingPath.c_str());
        info.SetFromRecording(currentFile);
    }
    info.DoModal();
}

void SaverConfigDlg::OnAbout() {
    AboutBox about(versionStrings);
    about.Show(nullptr);
}

void SaverConfigDlg::OnBrowse() {
    UpdateData(TRUE);
    CFileDialog chooser(recordingPath, OFN_HIDEREADONLY, RecordingFileFilter(fileTypes),
                        GetSafeHwnd());
    if (chooser.DoModal() != IDOK)
        return;
    recordingPath = chooser.GetPathName();
    UpdateData(FALSE);
}

// Starts at the folder that the edit box names, or that holds its file.
void SaverConfigDlg::OnBrowseFolder() {
    UpdateData(TRUE);
    std::string start = recordingPath;
    if (!start.empty() && !IsFolder(start)) {
        const size_t slash = start.find_last_of("\\/");
        start.resize(slash == std::string::npos ? 0 : slash);
    }
    CFolderDialog chooser("Choose a folder of screen recordings:", start, GetSafeHwnd());
    if (chooser.DoModal() != IDOK)
        return;
    recordingPath = chooser.GetFolderPath();
    UpdateData(FALSE);
}
