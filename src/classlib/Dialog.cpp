#include "classlib/Dialog.h"

#include "classlib/WinApp.h"

namespace {
// The object whose dialog is being made; attached at the dialog's first message.
CDialog* dialogBeingMade = nullptr;

HINSTANCE ProgramInstance() {
    return GetModuleHandleA(nullptr);
}
}  // namespace

INT_PTR CDialog::DoModal() {
    modeless = false;
    dialogBeingMade = this;
    const HWND owner = ModalOwner();
    INT_PTR result =
        inMemoryTemplate
            ? DialogBoxIndirectParamA(ProgramInstance(), inMemoryTemplate, owner, DialogProc, 0)
            : DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(templateId), owner, DialogProc,
                              0);
    dialogBeingMade = nullptr;
    return result;
}

HWND CDialog::ModalOwner() const {
    if (parent)
        return parent;
    const CWinApp* app = CWinApp::Current();
    const HWND main = app && app->mainWnd ? app->mainWnd->GetSafeHwnd() : nullptr;
    return main && IsWindow(main) ? main : nullptr;
}

BOOL CDialog::Create() {
    modeless = true;
    dialogBeingMade = this;
    HWND dialog =
        inMemoryTemplate
            ? CreateDialogIndirectParamA(ProgramInstance(), inMemoryTemplate, parent, DialogProc, 0)
            : CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(templateId), parent,
                                 DialogProc, 0);
    dialogBeingMade = nullptr;
    return dialog != nullptr;
}

void CDialog::EndDialog(int result) {
    HWND dialog = GetSafeHwnd();
    if (!dialog)
        return;
    if (modeless)
        ::DestroyWindow(dialog);
    else
        ::EndDialog(dialog, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    if (!GetSafeHwnd())
        return FALSE;
    CDataExchange exchange(GetSafeHwnd(), saveAndValidate != FALSE);
    DoDataExchange(exchange);
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* object = dynamic_cast<CDialog*>(FromHandlePermanent(dialog));
    if (!object && dialogBeingMade) {
        object = dialogBeingMade;
        dialogBeingMade = nullptr;
        object->Attach(dialog);
    }
    if (!object)
        return FALSE;
    return RouteDialogMessage(object, dialog, message, wParam, lParam);
}

INT_PTR CDialog::RouteDialogMessage(CDialog* object, HWND dialog, UINT message, WPARAM wParam,
                                    LPARAM lParam) {
    LRESULT result = Route(object, dialog, message, wParam, lParam);
    if (message != WM_INITDIALOG && message != WM_NCDESTROY)
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return result;
}

bool CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_INITDIALOG:
            result = OnInitDialog();
            return true;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                OnOK();
                return true;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                OnCancel();
                return true;
            }
            break;
    }
    return CWnd::OnMessage(message, wParam, lParam, result);
}

LRESULT CDialog::DefWindowProc(UINT, WPARAM, LPARAM) {
    return 0;
}
