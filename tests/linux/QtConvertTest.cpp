#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>

#include "platform/fake/FakePlatform.h"
#include "platform/linux/QtConvert.h"
#include "platform/linux/QtText.h"
#include "platform/linux/Services.h"

namespace {

using namespace platform::linux_;

TEST(QtConvertTest, FiltersBecomeQtNameFilters) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"MP3, WAV|*.mp3; *.wav|AVI, MPEG, WMV|*.avi; *.mpg; *.mpeg; *.wmv|All files|*.*",
         "MP3, WAV (*.mp3 *.wav);;AVI, MPEG, WMV (*.avi *.mpg *.mpeg *.wmv);;All files (*.*)"},
        {"Text|*.txt", "Text (*.txt)"},
        {"Text|*.txt;;*.log|", "Text (*.txt *.log)"},  // empty pieces and a trailing bar
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toQtFilter(QString::fromUtf8(c.in)).toStdString(), c.out) << c.in;
}

TEST(QtConvertTest, FontsGoBothWaysWithNegativeHeightsAsPixelSizes) {
    platform::fake::FakePlatform fp;
    ui::TFont f;
    f.SetName(u"DejaVu Sans");
    f.SetHeight(-9);
    f.SetStyle(ui::fsBold | ui::fsUnderline);
    f.SetColor(ui::clRed);
    QFont q = toQFont(f);
    EXPECT_EQ(q.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(q.pixelSize(), 9);
    EXPECT_TRUE(q.bold());
    EXPECT_FALSE(q.italic());
    EXPECT_TRUE(q.underline());

    // Back: a dialog's point size becomes a character height at the font's resolution.
    QFont picked(QStringLiteral("DejaVu Serif"));
    picked.setPointSize(12);
    picked.setItalic(true);
    ui::TFont g;
    g.SetColor(ui::clRed);
    assignFromQFont(g, picked);
    EXPECT_EQ(g.Name(), u"DejaVu Serif");
    EXPECT_EQ(g.Height(), -16);  // 12 pt at 96 pixels per inch
    EXPECT_EQ(g.Size(), 12);
    EXPECT_EQ(g.Style(), ui::fsItalic);
    EXPECT_EQ(g.Color(), ui::clRed);  // the picker does not choose colours

    // A positive height is a cell: the line must fit in it.
    f.SetHeight(20);
    QFont cell = toQFont(f);
    EXPECT_LE(QFontMetrics(cell).height(), 20);
    EXPECT_GT(cell.pixelSize(), 10);
}

TEST(QtConvertTest, TextKeepsEveryCodeUnit) {
    std::u16string s = u"Привет \U0001F600 ";
    s += char16_t(0xD800);  // a lone surrogate survives the round trip
    EXPECT_EQ(fromQ(toQ(s)), s);
}

}  // namespace

namespace {

TEST(QtSystemColorsTest, SystemColoursFollowTheDesktopPalette) {
    QPalette saved = QGuiApplication::palette();
    QPalette pal = saved;
    pal.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
    pal.setColor(QPalette::Active, QPalette::Base, QColor(200, 210, 220));
    QGuiApplication::setPalette(pal);
    auto colors = platform::linux_::makeSystemColors();
    EXPECT_EQ(colors->GetSysColor(15), 10u | (20u << 8) | (30u << 16));     // clBtnFace
    EXPECT_EQ(colors->GetSysColor(5), 200u | (210u << 8) | (220u << 16));   // clWindow
    EXPECT_EQ(colors->GetSysColor(31), 0u);  // no such colour
    QGuiApplication::setPalette(saved);
}

}  // namespace
