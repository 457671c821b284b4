#pragma once
#include "classlib/Dialog.h"

#include <string>

class RecordingFile;

// The "File info" dialog (template 101): the descriptive header of a
// recording, shown read-only.
class FileInfoDlg : public CDialog {
  public:
    FileInfoDlg();

    // Takes the texts from the reader's header; a null reader changes nothing.
    void SetFromRecording(RecordingFile* recording);

    std::string title;
    std::string author;
    std::string description;
    std::string lengthText;
    std::string rateText;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& exchange) override;
};
