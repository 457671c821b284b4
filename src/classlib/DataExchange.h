#pragma once
#include <windows.h>

#include <string>

class CProgressCtrl;

// Moves values between a dialog's controls and the fields of its object:
// into the fields when saving, into the controls otherwise.
class CDataExchange {
  public:
    CDataExchange(HWND dialog, bool saveAndValidate)
        : dialog(dialog), saveAndValidate(saveAndValidate) {}

    HWND dialog;
    bool saveAndValidate;
};

void DDX_Text(CDataExchange& exchange, int controlId, std::string& value);
// A check box's state as 0 (clear) or 1 (ticked).
void DDX_Check(CDataExchange& exchange, int controlId, int& value);
// Binds a control wrapper to the dialog's control.
void DDX_Control(CDataExchange& exchange, int controlId, CProgressCtrl& control);
