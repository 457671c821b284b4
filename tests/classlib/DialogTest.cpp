// Dialogs of the class library: data exchange taken back only on OK, who owns
// a modal dialog, a missing template, and the file chooser's filter. The
// saver's own dialogs are driven end to end (ConfigDialogE2ETest).
#include "TestResources.h"
#include "classlib/Dialog.h"
#include "classlib/FileDialog.h"
#include "classlib/WinApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// A form with a name and a check box. At initialisation it notes what the
// controls show and its owners, then acts as a user would: types, ticks, and
// presses a button.
class TestForm : public CDialog {
  public:
    explicit TestForm(int pressedButton) : CDialog(IDD_TEST_FORM), pressedButton(pressedButton) {}

    std::string name = "first";
    int enabled = 0;
    std::string shownName;
    UINT shownCheck = 99;
    HWND owner = nullptr, topLevelOwner = nullptr;
    int pressedButton;

  protected:
    void DoDataExchange(CDataExchange& exchange) override {
        DDX_Text(exchange, IDC_TEST_NAME, name);
        DDX_Check(exchange, IDC_TEST_ENABLED, enabled);
    }

    BOOL OnInitDialog() override {
        BOOL result = CDialog::OnInitDialog();
        HWND dialog = GetSafeHwnd();
        char text[64] = {};
        GetDlgItemTextA(dialog, IDC_TEST_NAME, text, sizeof text);
        shownName = text;
        shownCheck = IsDlgButtonChecked(dialog, IDC_TEST_ENABLED);
        owner = GetWindow(dialog, GW_OWNER);
        topLevelOwner = GetTopLevelOwner();
        SetDlgItemTextA(dialog, IDC_TEST_NAME, "typed");
        CheckDlgButton(dialog, IDC_TEST_ENABLED, BST_CHECKED);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(pressedButton, BN_CLICKED), 0);
        return result;
    }
};

HWND MakeWindow(HWND owner) {
    return CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_VISIBLE, 100, 80, 300, 200, owner,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}
}  // namespace

TEST(Dialog, ModalDialogShowsTheFieldsAndTakesThemBackOnlyOnOk) {
    for (int button : {IDOK, IDCANCEL}) {
        TestForm form(button);
        form.enabled = button == IDCANCEL;
        EXPECT_EQ(form.DoModal(), button);
        EXPECT_EQ(form.shownName, "first");
        EXPECT_EQ(form.shownCheck, static_cast<UINT>(button == IDOK ? BST_UNCHECKED : BST_CHECKED));
        EXPECT_EQ(form.name, button == IDOK ? "typed" : "first");
        EXPECT_EQ(form.enabled, 1);
        EXPECT_EQ(form.GetSafeHwnd(), nullptr) << "detached once the dialog is gone";
        EXPECT_EQ(form.owner, nullptr) << "no parent and no application";
    }
    CDialog missing(4242);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.Create());
}

TEST(Dialog, OwnerIsTheParentElseTheMainWindowWhileItExists) {
    HWND top = MakeWindow(nullptr);
    HWND middle = MakeWindow(top);
    TestForm child(IDOK);
    child.SetParentWindow(middle);
    EXPECT_EQ(child.DoModal(), IDOK);
    EXPECT_EQ(child.owner, middle);
    EXPECT_EQ(child.topLevelOwner, top);

    CWinApp app;
    CWnd mainObject;
    ASSERT_TRUE(mainObject.Attach(middle));
    app.mainWnd = &mainObject;
    TestForm owned(IDOK);
    EXPECT_EQ(owned.DoModal(), IDOK);
    EXPECT_EQ(owned.owner, middle);
    DestroyWindow(middle);
    TestForm orphan(IDOK);
    EXPECT_EQ(orphan.DoModal(), IDOK);
    EXPECT_EQ(orphan.owner, nullptr) << "the main window is gone";
    mainObject.Detach();
    DestroyWindow(top);
}

TEST(FileDialog, FilterPairsBecomeZeroSeparated) {
    const char expected[] = "All Files (*.*)\0*.*\0VQD file (.vqd)\0*.vqd\0";
    EXPECT_EQ(CFileDialog::SystemFilter("All Files (*.*)|*.*|VQD file (.vqd)|*.vqd||"),
              std::string(expected, sizeof expected));
}
