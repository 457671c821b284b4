#include "classlib/DataExchange.h"

#include "classlib/ProgressCtrl.h"

#include <vector>

void DDX_Text(CDataExchange& exchange, int controlId, std::string& value) {
    HWND control = GetDlgItem(exchange.dialog, controlId);
    if (!control)
        return;
    if (!exchange.saveAndValidate) {
        SetWindowTextA(control, value.c_str());
        return;
    }
    std::vector<char> text(GetWindowTextLengthA(control) + 1, '\0');
    GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    value = text.data();
}

void DDX_Check(CDataExchange& exchange, int controlId, int& value) {
    HWND control = GetDlgItem(exchange.dialog, controlId);
    if (!control)
        return;
    if (exchange.saveAndValidate)
        value = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    else
        SendMessageA(control, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DDX_Control(CDataExchange& exchange, int controlId, CProgressCtrl& control) {
    control.Bind(GetDlgItem(exchange.dialog, controlId));
}
