#include "saver/FileInfoDlg.h"

#include "recording/RecordingFile.h"
#include "resources/ResourceIds.h"
#include "saver/FolderSummary.h"
#include "saver/RecordingInfoText.h"

FileInfoDlg::FileInfoDlg() : CDialog(IDD_FILE_INFO) {}

void FileInfoDlg::SetFromRecording(RecordingFile* recording) {
    if (!recording)
        return;
    char text[260] = {};
    recording->GetTitle(text);
    title = text;
    recording->GetAuthor(text);
    author = text;
    recording->GetDescription(text);
    description = text;
    lengthText = RecordLengthText(recording->GetDurationSeconds());
    rateText = FrameRateText(static_cast<int32_t>(recording->GetFrameRate()));
}

void FileInfoDlg::SetFromFolder(const FolderSummary& folder) {
    title = folder.name;
    author.clear();
    description = RecordingCountText(folder.recordings);
    lengthText = RecordLengthText(folder.totalSeconds);
    rateText = FrameRateText(static_cast<int32_t>(folder.firstFrameRate));
}

BOOL FileInfoDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // No taskbar button of its own; the frame follows the new style at once.
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW, SWP_NOOWNERZORDER);
    return TRUE;
}

void FileInfoDlg::DoDataExchange(CDataExchange& exchange) {
    DDX_Text(exchange, IDC_INFO_TITLE, title);
    DDX_Text(exchange, IDC_INFO_AUTHOR, author);
    DDX_Text(exchange, IDC_INFO_DESCRIPTION, description);
    DDX_Text(exchange, IDC_INFO_LENGTH, lengthText);
    DDX_Text(exchange, IDC_INFO_RATE, rateText);
}
