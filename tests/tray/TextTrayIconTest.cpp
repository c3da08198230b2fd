#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "tray/TextRender.h"
#include "tray/TextTrayIcon.h"
#include "ui/Text.h"

namespace {

using tray::TTextTrayIcon;

constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF, kOpaqueBlack = 0xFF000000;

// The fake renderer draws each character as a solid block (its last column and its top and
// bottom rows stay background), 5 pixels wide, in a cell 11 pixels high.
struct TextIconTest : ::testing::Test {
    platform::fake::FakePlatform fp;
    platform::fake::FakeRasterizer& r = fp.rasterizerFake;
    ui::TComponent form{nullptr};
    TTextTrayIcon* icon = new TTextTrayIcon(&form);

    const platform::IconImage& picture() const { return icon->Icon()->Image(); }
    uint32_t px(int x, int y) const { return picture().Pixels[std::size_t(y * 16 + x)]; }
    // The system's own set-up: white background, window-text font.
    void systemLook() {
        icon->Font()->SetColor(ui::clWindowText);
        icon->SetColor(ui::clWhite);
    }
};

TEST_F(TextIconTest, ConstructionDrawsNothing) {
    EXPECT_TRUE(icon->Icon()->Empty());
    EXPECT_TRUE(fp.notifyAreaFake.requests.empty());
    EXPECT_EQ(icon->Color(), ui::clBtnFace);
    EXPECT_EQ(icon->BorderColor(), ui::clBlack);
}

TEST_F(TextIconTest, FortyFiveOnWhiteStartsAtTwoTwoInAnOpaqueSquare) {
    systemLook();
    icon->SetText(u"45");
    ASSERT_FALSE(r.calls.empty());
    EXPECT_EQ(r.calls.back().X, 2);
    EXPECT_EQ(r.calls.back().Y, 2);
    EXPECT_EQ(r.calls.back().Font.Color, 0u);  // clWindowText resolved
    EXPECT_EQ(picture().Width, 16);
    for (uint32_t p : picture().Pixels) EXPECT_EQ(p >> 24, 0xFFu);
    EXPECT_EQ(px(0, 0), kOpaqueWhite);
    EXPECT_EQ(px(2, 3), kOpaqueBlack);   // first glyph
    EXPECT_EQ(px(6, 3), kOpaqueWhite);   // its last column is cell background
    EXPECT_EQ(px(7, 3), kOpaqueBlack);   // second glyph
    EXPECT_EQ(px(2, 2), kOpaqueWhite);   // the cell's top row
}

TEST_F(TextIconTest, CentringUsesFifteenAndTruncatesTowardZero) {
    systemLook();
    struct Case {
        int width, x;
    } cases[] = {{10, 2}, {14, 0}, {15, 0}, {16, 0}, {17, -1}, {18, -1}, {1, 7}, {30, -7}};
    for (auto [width, x] : cases) {
        r.widths[u'W'] = width;
        icon->SetText(u"W");
        EXPECT_EQ(r.calls.back().X, x) << width;
        EXPECT_EQ(r.calls.back().Y, 2) << width;
    }
    r.cellHeight = 18;  // taller than the picture: negative too, truncated toward zero
    icon->SetText(u"W");
    EXPECT_EQ(r.calls.back().Y, -1);
}

TEST_F(TextIconTest, LinesSplitAtCarriageReturns) {
    struct Case {
        std::u16string text;
        std::vector<std::u16string> lines;
    } cases[] = {
        {u"", {u""}},
        {u"45", {u"45"}},
        {u"A\rB", {u"A", u"B"}},
        {u"A\r", {u"A", u""}},
        {u"\r", {u"", u""}},
        {u"\r\r", {u"", u"", u""}},
        {u"A\r\nB", {u"A", u"\nB"}},
        {u"A\nB", {u"A\nB"}},
    };
    for (const auto& c : cases) EXPECT_EQ(tray::SplitLines(c.text), c.lines);
}

TEST_F(TextIconTest, TwoLinesAreCentredAsABlock) {
    systemLook();
    icon->SetText(u"A\rBB");
    ASSERT_GE(r.calls.size(), 2u);
    auto first = r.calls[r.calls.size() - 2], second = r.calls.back();
    EXPECT_EQ(first.Text, u"A");
    EXPECT_EQ(first.X, 5);
    EXPECT_EQ(first.Y, -3);  // (15 - 22) div 2
    EXPECT_EQ(second.Text, u"BB");
    EXPECT_EQ(second.X, 2);
    EXPECT_EQ(second.Y, 8);

    icon->Options()->SetLineDistance(2);
    icon->Options()->SetOffsetY(1);
    icon->Options()->SetOffsetX(-3);
    first = r.calls[r.calls.size() - 2], second = r.calls.back();
    EXPECT_EQ(first.Y, -4);  // (15 - 26) div 2 + 1
    EXPECT_EQ(second.Y, 9);
    EXPECT_EQ(first.X, 2);

    icon->SetText(u"\r");
    EXPECT_EQ(r.calls.back().Text, u"");
}

TEST_F(TextIconTest, OverlappingLinesLetTheLaterCellCoverTheEarlierGlyphs) {
    systemLook();
    icon->Options()->SetLineDistance(-6);  // pitch 5: lines at y = 2 and y = 7
    icon->SetText(u"8\r8");
    EXPECT_EQ(px(5, 6), kOpaqueBlack);  // first line's glyph
    EXPECT_EQ(px(5, 7), kOpaqueWhite);  // second cell's top row, over the first glyph
    EXPECT_EQ(px(5, 8), kOpaqueBlack);
}

TEST_F(TextIconTest, BorderRingIsDrawnOverTheText) {
    systemLook();
    r.charWidth = 20;  // one glyph covering the whole picture
    r.cellHeight = 20;
    icon->SetBorderColor(ui::clRed);
    icon->SetBorder(true);
    icon->SetText(u"8");
    for (int i = 0; i < 16; ++i) {
        for (auto [x, y] : {std::pair{i, 0}, {i, 15}, {0, i}, {15, i}})
            EXPECT_EQ(px(x, y), 0xFFFF0000u) << x << "," << y;
    }
    EXPECT_EQ(px(5, 5), kOpaqueBlack);
}

TEST_F(TextIconTest, BackgroundColourDecidesTheMask) {
    struct Case {
        const char* name;
        ui::TColor font, color;
        uint32_t background;  // ARGB of a non-glyph pixel
        uint32_t glyph;
    } cases[] = {
        // clNone: only the glyphs are opaque.
        {"none", ui::clBlack, ui::clNone, 0x00000000, kOpaqueBlack},
        // Background equal to the font colour: the inverse shows, opaque.
        {"same", ui::clWhite, ui::clWhite, kOpaqueBlack, kOpaqueWhite},
        {"same red", ui::clRed, ui::clRed, 0xFF00FFFF, 0xFFFF0000},
        // Stored values differ although both resolve to white: the text is invisible.
        {"resolved", ui::clHighlightText, ui::clWhite, kOpaqueWhite, kOpaqueWhite},
        // A system colour background resolves through the colour table (0xF0F0F0).
        {"btnface", ui::clWindowText, ui::clBtnFace, 0xFFF0F0F0, kOpaqueBlack},
    };
    for (const auto& c : cases) {
        icon->Font()->SetColor(c.font);
        icon->SetColor(c.color);
        icon->SetText(u"45");
        EXPECT_EQ(px(0, 0), c.background) << c.name;
        EXPECT_EQ(px(2, 3), c.glyph) << c.name;
    }
    icon->Font()->SetColor(ui::clRed);
    icon->SetColor(ui::clNone);
    EXPECT_EQ(icon->InvertTextColor(), ui::TColor(0xFFFF00));  // red font: key is its inverse
}

TEST_F(TextIconTest, EveryAssignmentRedrawsAndReachesTheTrayOnceShown) {
    systemLook();
    icon->SetText(u"45");
    EXPECT_TRUE(fp.notifyAreaFake.requests.empty() ||
                !fp.notifyAreaFake.requests.back().Accepted);  // not added yet: refused
    icon->SetIconVisible(true);
    auto modifies = [&] { return fp.notifyAreaFake.requestsOf(platform::NIM_MODIFY).size(); };
    std::size_t n = modifies();
    icon->SetColor(icon->Color());  // same value: still a redraw
    EXPECT_EQ(modifies(), n + 1);
    EXPECT_TRUE(fp.notifyAreaFake.requests.back().Accepted);
    EXPECT_EQ(fp.notifyAreaFake.icon()->Image.Pixels, picture().Pixels);

    n = modifies();
    icon->Options()->SetOffsetX(0);  // unchanged option: nothing
    EXPECT_EQ(modifies(), n);
    ui::TFont f;
    f.Assign(*icon->Font());
    f.SetName(u"Small Fonts");
    f.SetHeight(-9);
    icon->SetFont(&f);  // one notice for the copied attributes, one more redraw
    EXPECT_EQ(modifies(), n + 2);
    EXPECT_EQ(r.calls.back().Font.Name, u"Small Fonts");
    EXPECT_EQ(r.calls.back().Font.Height, -9);
    n = modifies();
    icon->Font()->SetColor(ui::clRed);  // in place
    EXPECT_EQ(modifies(), n + 1);
    EXPECT_EQ(icon->Hint(), u"");
}

TEST_F(TextIconTest, BackgroundIconShowsUnderTheTextAndItsKeyPixelsVanish) {
    icon->Font()->SetColor(ui::clBlack);
    icon->SetColor(ui::clWhite);  // the key: white pixels become transparent
    platform::IconImage bg{16, 16, std::vector<uint32_t>(256, 0)};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x) bg.Pixels[std::size_t(y * 16 + x)] = 0xFF0000FF;  // blue
    bg.Pixels[15 * 16 + 0] = kOpaqueWhite;  // a background pixel of the key colour
    ui::TIcon picture16;
    picture16.SetImage(bg);
    icon->SetBackgroundIcon(&picture16);
    icon->SetText(u"");
    EXPECT_EQ(px(0, 0), 0xFF0000FFu);
    EXPECT_EQ(px(12, 0), 0u);
    EXPECT_EQ(px(0, 15), 0u);
    icon->SetText(u"45");
    EXPECT_EQ(px(2, 3), kOpaqueBlack);
    EXPECT_EQ(px(2, 2), 0xFF0000FFu);  // the cell background lets the picture through
    EXPECT_EQ(px(12, 3), 0u);

    // A 32x32 picture is scaled down.
    platform::IconImage big{32, 32, std::vector<uint32_t>(1024, 0xFF00FF00)};
    picture16.SetImage(big);
    icon->SetBackgroundIcon(&picture16);
    EXPECT_EQ(px(15, 15), 0xFF00FF00u);
}

TEST_F(TextIconTest, DrawingSwitchesIconCyclingOff) {
    ui::TImageList list(&form);
    list.Add({16, 16, std::vector<uint32_t>(256, kOpaqueBlack)});
    icon->SetIconList(&list);
    icon->SetCycleInterval(100);
    icon->SetCycleIcons(true);
    icon->SetText(u"1");
    EXPECT_FALSE(icon->CycleIcons());
    EXPECT_EQ(fp.loopFake.armedCount(), 0u);
}

TEST_F(TextIconTest, PublishedPropertiesComeInheritedFirst) {
    std::vector<std::u16string> names;
    for (auto* p : TTextTrayIcon::StaticClassInfo().Properties()) names.push_back(p->Name);
    auto has = [&](const std::u16string& n) {
        return std::find(names.begin(), names.end(), n) != names.end();
    };
    for (auto n : {u"Hint", u"IconVisible", u"PopupMenu", u"OnBalloonHintClick", u"Text",
                   u"Font", u"Color", u"Border", u"BorderColor", u"Options", u"BackgroundIcon"})
        EXPECT_TRUE(has(n)) << ui::ToUtf8(n);
    auto* color = TTextTrayIcon::StaticClassInfo().FindProperty(u"Color");
    color->SetText(*icon, u"clWhite");
    EXPECT_EQ(icon->Color(), ui::clWhite);
    EXPECT_TRUE(color->IsStored(*icon));
    EXPECT_NE(ui::FindClass(u"TTextTrayIcon"), nullptr);
}

}  // namespace
