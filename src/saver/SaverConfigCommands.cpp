// The buttons of the configuration dialog: the recorder, the recording's
// header, the About box and the choice of a recording file.
#include "saver/SaverConfigDlg.h"

#include "classlib/FileDialog.h"
#include "classlib/MessageBox.h"
#include "resources/ResourceIds.h"
#include "saver/FileInfoDlg.h"
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
    currentFile = IsEmbeddedRecording(recordingPath.c_str()) ? static_cast<RecordingFile*>(&exeFile)
                                                             : &vqdFile;
    currentFile->LoadHeaderFrom(recordingPath.c_str());
    FileInfoDlg info;
    info.SetFromRecording(currentFile);
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
