#pragma once
#include "classlib/Dialog.h"

#include <string>

class RecordingFile;
struct FolderSummary;

// The "File info" dialog (template 101): the descriptive header of a
// recording, or what a folder of recordings holds, shown read-only.
class FileInfoDlg : public CDialog {
  public:
    FileInfoDlg();

    // Takes the texts from the reader's header; a null reader changes nothing.
    void SetFromRecording(RecordingFile* recording);
    // A folder of recordings: its name as the title, how many recordings it
    // holds, their total length and the first one's frame rate.
    void SetFromFolder(const FolderSummary& folder);

    std::string title;
    std::string author;
    std::string description;
    std::string lengthText;
    std::string rateText;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& exchange) override;
};
