#pragma once
#include "classlib/Dialog.h"

// The object of the configuration dialog. Initialisation loads the
// application's settings first; when they cannot be loaded the dialog closes.
class CScreenSaverDlg : public CDialog {
  public:
    using CDialog::CDialog;
    BOOL OnInitDialog() override;
};
