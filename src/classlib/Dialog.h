#pragma once
#include "classlib/DataExchange.h"
#include "classlib/Wnd.h"

// A dialog made from a dialog template resource of the program or from a
// template in memory, modal (DoModal) or modeless (Create), or attached by its
// owner to a dialog that was made elsewhere. A modal dialog without a parent
// is owned by the application's main window, when there is one. Default
// processing is left to the system's dialog manager: unhandled messages
// answer 0.
class CDialog : public CWnd {
  public:
    explicit CDialog(UINT templateId, HWND parent = nullptr)
        : templateId(templateId), parent(parent) {}
    // The template must outlive the dialog's window.
    explicit CDialog(const DLGTEMPLATE* inMemoryTemplate, HWND parent = nullptr)
        : templateId(0), inMemoryTemplate(inMemoryTemplate), parent(parent) {}

    INT_PTR DoModal();
    BOOL Create();
    // Ends a modal dialog with the result; destroys a modeless one.
    void EndDialog(int result);
    BOOL UpdateData(BOOL saveAndValidate);
    // The parent (owner) of the dialogs made from now on.
    void SetParentWindow(HWND window) { parent = window; }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // The dialog procedure of dialogs made by DoModal and Create.
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // Routes one message to an attached dialog object and answers as a dialog procedure.
    static INT_PTR RouteDialogMessage(CDialog* object, HWND dialog, UINT message, WPARAM wParam,
                                      LPARAM lParam);

  protected:
    virtual void DoDataExchange(CDataExchange&) {}
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    HWND ModalOwner() const;

    UINT templateId;
    const DLGTEMPLATE* inMemoryTemplate = nullptr;
    HWND parent;
    bool modeless = false;
};
