// The About box in this process. Its size at high DPI is measured in
// DialogDpiE2ETest.
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
    const std::pair<VersionStrings, bool> cases[] = {
        {version, true}, {VersionStrings(), true}, {version, false}};
    for (const auto& [texts, prepared] : cases) {
        Observed about(texts);
        about.prepared = prepared;
        EXPECT_TRUE(about.Show(nullptr));
        EXPECT_EQ(about.painted, prepared) << texts.fileVersion << ", prepared: " << prepared;
        EXPECT_EQ(about.whiteAtVersion, prepared && !texts.fileVersion.empty());
        EXPECT_EQ(about.GetSafeHwnd(), nullptr);
    }
}
