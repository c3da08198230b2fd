#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"
#include "ui/Font.h"

namespace {

TEST(FontTest, SizeFollowsHeightRoundingHalvesAwayFromZero) {
    platform::fake::FakePlatform fp;
    struct Case {
        int ppi, height, size;
    } cases[] = {{96, -9, 7},  {96, -11, 8}, {96, -12, 9}, {96, -16, 12}, {96, 0, 0},
                 {96, 9, -7},  {120, -9, 5}, {144, -9, 5}, {96, -2, 2},   {96, 2, -2}};
    for (const auto& c : cases) {
        fp.screenFake.ppi = c.ppi;
        ui::TFont f;
        f.SetHeight(c.height);
        EXPECT_EQ(f.Size(), c.size) << "ppi " << c.ppi << " height " << c.height;
    }
    fp.screenFake.ppi = 96;
    ui::TFont f;
    f.SetSize(7);
    EXPECT_EQ(f.Height(), -9);
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -11);
}

TEST(FontTest, ChangeNotificationFiresPerChangeAndOnceAfterSuspension) {
    platform::fake::FakePlatform fp;
    ui::TFont f;
    int n = 0;
    f.OnChange = [&](ui::TObject* s) {
        EXPECT_EQ(s, &f);
        ++n;
    };
    f.SetName(u"Small Fonts");
    f.SetName(u"Small Fonts");  // unchanged: no notice
    f.SetColor(ui::clRed);
    EXPECT_EQ(n, 2);
    f.BeginUpdate();
    f.SetHeight(-20);
    f.SetStyle(ui::fsBold | ui::fsItalic);
    EXPECT_EQ(n, 2);
    f.EndUpdate();
    EXPECT_EQ(n, 3);
    ui::TFont g;
    g.Assign(f);
    EXPECT_TRUE(g == f);
}

}  // namespace
