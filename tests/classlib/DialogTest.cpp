#include "TestResources.h"
#include "classlib/Dialog.h"
#include "classlib/ProgressCtrl.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace {
std::string ControlText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// A form with a name and a check box. At initialisation it notes what the
// controls show, then acts as a user would: types, ticks, and presses a button.
class TestForm : public CDialog {
  public:
    explicit TestForm(int pressedButton) : CDialog(IDD_TEST_FORM), pressedButton(pressedButton) {}

    std::string name = "first";
    int enabled = 0;
    CProgressCtrl progress;
    std::string shownName;
    UINT shownCheck = 99;
    int pressedButton;

  protected:
    void DoDataExchange(CDataExchange& exchange) override {
        DDX_Text(exchange, IDC_TEST_NAME, name);
        DDX_Check(exchange, IDC_TEST_ENABLED, enabled);
        DDX_Control(exchange, IDC_TEST_PROGRESS, progress);
    }

    BOOL OnInitDialog() override {
        BOOL result = CDialog::OnInitDialog();
        HWND dialog = GetSafeHwnd();
        shownName = ControlText(dialog, IDC_TEST_NAME);
        shownCheck = IsDlgButtonChecked(dialog, IDC_TEST_ENABLED);
        SetDlgItemTextA(dialog, IDC_TEST_NAME, "typed");
        CheckDlgButton(dialog, IDC_TEST_ENABLED, BST_CHECKED);
        if (pressedButton)
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(pressedButton, BN_CLICKED), 0);
        return result;
    }
};
}  // namespace

TEST(Dialog, ModalDialogShowsTheFieldsAndTakesThemBackOnlyOnOk) {
    InitCommonControls();
    for (int button : {IDOK, IDCANCEL}) {
        TestForm form(button);
        form.enabled = button == IDCANCEL;
        EXPECT_EQ(form.DoModal(), button);
        EXPECT_EQ(form.shownName, "first");
        EXPECT_EQ(form.shownCheck, static_cast<UINT>(button == IDOK ? BST_UNCHECKED : BST_CHECKED));
        EXPECT_EQ(form.name, button == IDOK ? "typed" : "first");
        EXPECT_EQ(form.enabled, 1);
        EXPECT_EQ(form.GetSafeHwnd(), nullptr) << "detached once the dialog is gone";
    }
}

TEST(Dialog, ModelessDialogLivesUntilEndedAndBindsItsProgressControl) {
    InitCommonControls();
    TestForm form(0);
    form.name = "modeless";
    ASSERT_TRUE(form.Create());
    HWND dialog = form.GetSafeHwnd();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(form.shownName, "modeless");
    EXPECT_TRUE(form.UpdateData(TRUE));
    EXPECT_EQ(form.name, "typed");
    EXPECT_EQ(form.enabled, 1);
    ASSERT_EQ(form.progress.GetSafeHwnd(), GetDlgItem(dialog, IDC_TEST_PROGRESS));
    EXPECT_EQ(form.progress.SetPos(40), 0);
    EXPECT_EQ(form.progress.SetPos(70), 40) << "the previous position";
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_TEST_PROGRESS, PBM_GETPOS, 0, 0), 70);
    EXPECT_EQ(CProgressCtrl().SetPos(50), 0) << "unbound";

    form.EndDialog(IDOK);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(form.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(form.UpdateData(TRUE)) << "no controls left";
}

TEST(Dialog, MissingTemplateFailsCleanly) {
    CDialog missing(4242);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.Create());
    EXPECT_EQ(missing.GetSafeHwnd(), nullptr);
}
