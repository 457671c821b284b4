// The class library's dialogs: their owners and a missing template; and the
// file chooser's filter. Window objects and message routing are driven end to
// end by the saver's configuration dialog (SaverE2ETest), as are a dialog's
// data exchange and its OK and Cancel.
#include "TestResources.h"
#include "e2e/WindowWait.h"
#include "classlib/Dialog.h"
#include "classlib/FileDialog.h"
#include "classlib/WinApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// A form that notes its owners at initialisation and presses OK.
class TestForm : public CDialog {
  public:
    TestForm() : CDialog(IDD_TEST_FORM) {}
    HWND owner = nullptr, topLevelOwner = nullptr;

  protected:
    BOOL OnInitDialog() override {
        owner = GetWindow(GetSafeHwnd(), GW_OWNER);
        topLevelOwner = GetTopLevelOwner();
        PostMessageA(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return CDialog::OnInitDialog();
    }
};
}  // namespace

TEST(Dialog, OwnerIsTheParentElseTheMainWindowWhileItExistsAndATemplateIsNeeded) {
    HWND top = e2e::MakeWindow(), middle = e2e::MakeWindow(top);
    TestForm child, owned, orphan, alone;
    EXPECT_EQ(alone.DoModal(), IDOK);
    EXPECT_EQ(alone.owner, nullptr) << "no parent and no application";
    EXPECT_EQ(alone.GetSafeHwnd(), nullptr) << "detached once the dialog is gone";
    child.SetParentWindow(middle);
    EXPECT_EQ(child.DoModal(), IDOK);
    EXPECT_EQ(child.owner, middle);
    EXPECT_EQ(child.topLevelOwner, top);

    CWinApp app;
    CWnd mainObject;
    ASSERT_TRUE(mainObject.Attach(middle));
    app.mainWnd = &mainObject;
    EXPECT_EQ(owned.DoModal(), IDOK);
    EXPECT_EQ(owned.owner, middle);
    DestroyWindow(middle);
    EXPECT_EQ(orphan.DoModal(), IDOK);
    EXPECT_EQ(orphan.owner, nullptr) << "the main window is gone";
    mainObject.Detach();
    DestroyWindow(top);
    CDialog missing(4242);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.Create());
}

TEST(FileDialog, FilterPairsBecomeZeroSeparated) {
    const char expected[] = "All Files (*.*)\0*.*\0VQD file (.vqd)\0*.vqd\0";
    EXPECT_EQ(CFileDialog::SystemFilter("All Files (*.*)|*.*|VQD file (.vqd)|*.vqd||"),
              std::string(expected, sizeof expected));
}
