#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDialog>
#include <QTimer>

#include <cstdlib>
#include <functional>

#include "QtWait.h"
#include "platform/linux/Services.h"
#include "ui/Font.h"

namespace {

// Runs `script` on the font picker once it is on screen, while PickFont waits for it.
bool pickFontWith(ui::TFont& font, const std::function<void(QFontDialog&)>& script) {
    auto pickers = platform::linux_::makePickers();
    bool ran = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dlg = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        if (!dlg || !dlg->isVisible() || ran) return;
        ran = true;
        script(*dlg);
    });
    poll.start();
    bool ok = pickers->PickFont(font);
    EXPECT_TRUE(ran);
    return ok;
}

class QtPickersTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        font.SetName(u"Small Fonts");
        font.SetHeight(-9);
        font.SetColor(ui::TColor(0x0000FF));
    }
    ui::TFont font;
};

TEST_F(QtPickersTest, ConfirmingTheFontPickerUnchangedKeepsTheFont) {
    // The system has no "Small Fonts": the picker shows a stand-in, which must not replace
    // the user's font when they only press OK.
    EXPECT_TRUE(pickFontWith(font, [](QFontDialog& d) { d.accept(); }));
    EXPECT_EQ(font.Name(), u"Small Fonts");
    EXPECT_EQ(font.Height(), -9);
    EXPECT_EQ(font.Color(), ui::TColor(0x0000FF));
}

TEST_F(QtPickersTest, AFontChosenInThePickerIsTakenAndCancelChangesNothing) {
    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPixelSize(12);
    chosen.setBold(true);
    EXPECT_TRUE(pickFontWith(font, [&](QFontDialog& d) {
        d.setCurrentFont(chosen);
        d.accept();
    }));
    EXPECT_EQ(font.Name(), u"DejaVu Sans");
    EXPECT_EQ(font.Height(), -12);
    EXPECT_EQ(font.Style(), ui::TFontStyles(ui::fsBold));
    EXPECT_EQ(font.Color(), ui::TColor(0x0000FF));  // the picker has no colour of its own

    EXPECT_FALSE(pickFontWith(font, [](QFontDialog& d) { d.reject(); }));
    EXPECT_EQ(font.Name(), u"DejaVu Sans");
}

}  // namespace
