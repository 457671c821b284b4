// The About box in this process. Its size, link and copyright line are tested
// in ConfigDialogE2ETest and DialogDpiE2ETest.
#include "upgrade/AboutBox.h"

#include <gtest/gtest.h>

namespace {
// Notes whether the version's place has white in it at the first paint, then
// ends the box.
class Observed : public AboutBox {
  public:
    using AboutBox::AboutBox;
    bool prepared = true, painted = false, whiteAtVersion = false;

  protected:
    bool Prepare() override { return prepared && AboutBox::Prepare(); }
    void DrawOverlay(HDC dc) override {
        AboutBox::DrawOverlay(dc);
        painted = true;
        for (int y = 45; y < 66; ++y)
            for (int x = 165; x < 260; ++x)
                whiteAtVersion = whiteAtVersion || GetPixel(dc, x, y) == RGB(255, 255, 255);
        PostMessageA(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
};
}  // namespace

TEST(AboutBox, DrawsTheVersionOnlyWhenThereIsOneAndClosesAtOnceWhenNotPrepared) {
    VersionStrings version;
    version.fileVersion = "2.5.1.0";
    for (const VersionStrings& texts : {version, VersionStrings()}) {
        Observed about(texts);
        EXPECT_TRUE(about.Show(nullptr));
        ASSERT_TRUE(about.painted);
        EXPECT_EQ(about.whiteAtVersion, !texts.fileVersion.empty());
        EXPECT_EQ(about.GetSafeHwnd(), nullptr);
    }
    Observed unprepared(version);
    unprepared.prepared = false;
    EXPECT_TRUE(unprepared.Show(nullptr));
    EXPECT_FALSE(unprepared.painted);
}
