#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>
#include <functional>

#include "QtWait.h"
#include "platform/linux/Services.h"
#include "ui/Font.h"

namespace {

// The picker on screen: the whole dialog, and its face part.
struct FontPickerOnScreen {
    QDialog& dialog;
    QFontDialog& face;
    QPushButton& colour;
};

// Runs `script` on the modal dialog of type D once it is on screen, while `call` waits for it.
template <typename D, typename Script, typename Call>
auto whileModal(const Script& script, const Call& call) {
    bool ran = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dlg = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dlg || !dlg->isVisible() || ran) return;
        ran = true;
        script(*dlg);
    });
    poll.start();
    auto result = call();
    EXPECT_TRUE(ran) << "the picker never came on screen";
    return result;
}

bool pickFontWith(ui::TFont& font, const std::function<void(FontPickerOnScreen&)>& script) {
    auto pickers = platform::linux_::makePickers();
    return whileModal<QDialog>(
        [&](QDialog& d) {
            auto* face = d.findChild<QFontDialog*>(QStringLiteral("face"));
            auto* colour = d.findChild<QPushButton*>(QStringLiteral("colour"));
            ASSERT_NE(face, nullptr);
            ASSERT_NE(colour, nullptr);
            FontPickerOnScreen on{d, *face, *colour};
            script(on);
        },
        [&] { return pickers->PickFont(font); });
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
    // A font the system lacks is shown as a stand-in, which must not replace the user's font
    // when they only press OK; nor may the built-in face's own entry.
    for (const char16_t* name : {u"Small Fonts", u"MS Sans Serif"}) {
        font.SetName(name);
        EXPECT_TRUE(pickFontWith(font, [](FontPickerOnScreen& p) { p.dialog.accept(); }));
        EXPECT_EQ(font.Name(), name);
        EXPECT_EQ(font.Height(), -9);
        EXPECT_EQ(font.Color(), ui::TColor(0x0000FF));
    }
}

TEST_F(QtPickersTest, TheBuiltInFaceIsListedAndCanBeChosenBack) {
    font.SetName(u"DejaVu Sans");
    font.SetHeight(-12);
    QStringList families;
    EXPECT_TRUE(pickFontWith(font, [&](FontPickerOnScreen& p) {
        families = QFontDatabase::families();
        QFont builtIn(QStringLiteral("Small Fonts"), 7);
        p.face.setCurrentFont(builtIn);
        EXPECT_EQ(p.face.currentFont().family(), QStringLiteral("Small Fonts"));
        p.dialog.accept();
    }));
    EXPECT_TRUE(families.contains(QStringLiteral("Small Fonts")));
    EXPECT_EQ(font.Name(), u"Small Fonts");
    EXPECT_EQ(font.Height(), -9);  // the size the tray draws from its own glyphs
}

TEST_F(QtPickersTest, AFontChosenInThePickerIsTakenAndCancelChangesNothing) {
    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPixelSize(12);
    chosen.setBold(true);
    EXPECT_TRUE(pickFontWith(font, [&](FontPickerOnScreen& p) {
        p.face.setCurrentFont(chosen);
        p.dialog.accept();
    }));
    EXPECT_EQ(font.Name(), u"DejaVu Sans");
    EXPECT_EQ(font.Height(), -12);
    EXPECT_EQ(font.Style(), ui::TFontStyles(ui::fsBold));
    EXPECT_EQ(font.Color(), ui::TColor(0x0000FF));  // no colour was picked

    EXPECT_FALSE(pickFontWith(font, [&](FontPickerOnScreen& p) {
        p.face.setCurrentFont(QFont(QStringLiteral("DejaVu Serif")));
        p.dialog.reject();
    }));
    EXPECT_EQ(font.Name(), u"DejaVu Sans");
}

TEST_F(QtPickersTest, TheFontPickerChoosesTheTextColourTooAndItsCancelKeepsIt) {
    // The colour button opens the colour picker on the font's colour; its choice is taken
    // only when the font picker is confirmed.
    auto pickColour = [](FontPickerOnScreen& p, bool confirmColour, QColor* seen) {
        whileModal<QColorDialog>(
            [&](QColorDialog& c) {
                *seen = c.currentColor();
                c.setCurrentColor(QColor(0x12, 0x34, 0x56));
                if (confirmColour)
                    c.accept();
                else
                    c.reject();
            },
            [&] {
                p.colour.click();
                return 0;
            });
    };
    QColor seen;
    int changes = 0;
    font.OnChange = [&](ui::TObject*) { ++changes; };
    EXPECT_TRUE(pickFontWith(font, [&](FontPickerOnScreen& p) {
        pickColour(p, true, &seen);
        p.dialog.accept();
    }));
    EXPECT_EQ(seen, QColor(0xFF, 0, 0));  // 0x0000FF is red in the font's BGR order
    EXPECT_EQ(font.Color(), ui::RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(font.Name(), u"Small Fonts");  // the face was left alone
    EXPECT_EQ(changes, 1);

    const ui::TColor kept = font.Color();
    EXPECT_FALSE(pickFontWith(font, [&](FontPickerOnScreen& p) {
        pickColour(p, true, &seen);
        p.dialog.reject();
    }));
    EXPECT_TRUE(pickFontWith(font, [&](FontPickerOnScreen& p) {
        pickColour(p, false, &seen);  // the colour picker's own cancel
        p.dialog.accept();
    }));
    EXPECT_EQ(font.Color(), kept);
    EXPECT_EQ(changes, 1);
}

}  // namespace
