#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <memory>

#include "XStacking.h"
#include "platform/fake/FakePlatform.h"
#include "platform/linux/Services.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"
#include "ui/Text.h"

namespace {

using namespace ui;

// The fake platform, except that forms are shown by the real Qt display.
struct QtDisplayPlatform : platform::fake::FakePlatform {
    std::unique_ptr<platform::FormDisplay> qt = platform::linux_::makeFormDisplay();
    platform::FormDisplay& formDisplay() override { return *qt; }
};

const char* kForm = R"(object Form1: TForm
  Caption = "QV Tovra"
  ClientWidth = 320
  ClientHeight = 200
  Position = poScreenCenter
  BorderStyle = bsDialog
  object GroupBox1: TGroupBox
    Caption = " Work: "
    Left = 8
    Top = 4
    Width = 300
    Height = 90
    object Label1: TLabel
      Caption = "Time for work:"
      Left = 8
      Top = 20
    end
    object TrackBar1: TTrackBar
      Left = 120
      Top = 12
      Width = 170
      Height = 25
      Max = 480
      Min = 1
      Position = 15
      PageSize = 1
      Frequency = 60
    end
    object Edit1: TEdit
      Left = 8
      Top = 48
      Width = 200
      Height = 21
      Text = "Work!"
    end
    object StaticText1: TStaticText
      Left = 220
      Top = 50
      Width = 16
      Height = 16
      AutoSize = False
      Alignment = taCenter
      BorderStyle = sbsSingle
      Caption = "45"
      Color = 8454016
    end
  end
  object CheckBox5: TCheckBox
    Left = 8
    Top = 100
    Width = 300
    Height = 17
    Caption = "Pauses the program"
  end
  object SpinEdit1: TSpinEdit
    Left = 8
    Top = 124
    Width = 73
    Height = 22
    MaxValue = 480
    MinValue = 1
    Value = 1
    Enabled = False
  end
  object BitBtn1: TBitBtn
    Left = 150
    Top = 165
    Width = 81
    Height = 25
    Kind = bkOK
  end
  object BitBtn2: TBitBtn
    Left = 236
    Top = 165
    Width = 81
    Height = 25
    Kind = bkCancel
  end
end
)";

struct QtFormDisplayTest : ::testing::Test {
    std::unique_ptr<QtDisplayPlatform> fp;
    std::unique_ptr<TForm> form;
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        fp = std::make_unique<QtDisplayPlatform>();
        form = std::make_unique<TForm>(nullptr);
        ReadComponentUtf8(*form, kForm);
        form->OnShow = [this](TObject*) { form->SetActiveControl(get<TBitBtn>(u"BitBtn1")); };
    }
    void TearDown() override { form.reset(); }
    template <class T>
    T* get(const char16_t* name) {
        return static_cast<T*>(form->FindComponent(name));
    }
    template <class W>
    W* widget(const char* name) {
        QWidget* dlg = QApplication::activeModalWidget();
        return dlg ? dlg->findChild<W*>(QString::fromUtf8(name)) : nullptr;
    }
    // Runs `script` inside the modal loop once the dialog is on screen (on a loaded machine the
    // first turn of the loop can come before the window is mapped); a watchdog ends a script
    // that forgot to.
    TModalResult ShowWith(std::function<void()> script) {
        QTimer::singleShot(0, [script] {
            QWidget* dlg = QApplication::activeModalWidget();
            for (int i = 0; !dlg && i < 500; ++i) {
                QTest::qWait(10);
                dlg = QApplication::activeModalWidget();
            }
            if (dlg) (void)QTest::qWaitForWindowExposed(dlg, 5000);
            script();
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [this] { form->SetModalResult(mrAbort); });
        watchdog.start(10000);
        return form->ShowModal();
    }
};

// Where `w` sits among the mapped top-level windows, bottom first; -1 when not there.
int stackPosition(QWidget* w) {
    auto order = testenv::mappedTopLevels();
    for (std::size_t i = 0; i < order.size(); ++i)
        if (order[i] == w->winId()) return int(i);
    return -1;
}

// Asked as the form is being shown, and again once another window has come over it, the
// display puts the dialog on top of every window and makes it the active one.
TEST_F(QtFormDisplayTest, BringToFrontRaisesAndActivatesTheShownDialog) {
    int asked = 0;
    form->AddWindowHook([&](uint32_t msg, uint64_t shown, int64_t) {
        if (msg == WM_SHOWWINDOW && shown) {
            ++asked;
            fp->formDisplay().BringToFront(*form);
        }
        return false;
    });
    QWidget cover;  // another program's window
    cover.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    cover.setGeometry(0, 0, 1280, 800);
    int coverBelow = -1, dialogBelow = -1, coverAfter = -1, dialogAfter = -1;
    bool activeAtStart = false, activeAfter = false;
    TModalResult r = ShowWith([&] {
        QWidget* dlg = QApplication::activeModalWidget();
        ASSERT_NE(dlg, nullptr);
        activeAtStart = QTest::qWaitForWindowActive(dlg, 3000);
        cover.show();
        cover.raise();
        (void)QTest::qWaitForWindowExposed(&cover, 3000);
        QTest::qWait(100);
        coverBelow = stackPosition(&cover);
        dialogBelow = stackPosition(dlg);
        fp->formDisplay().BringToFront(*form);
        QTest::qWait(100);
        coverAfter = stackPosition(&cover);
        dialogAfter = stackPosition(dlg);
        activeAfter = QTest::qWaitForWindowActive(dlg, 3000);
        form->SetModalResult(mrOk);
    });
    EXPECT_EQ(r, mrOk);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(activeAtStart);
    ASSERT_GE(coverBelow, 0);
    ASSERT_GE(dialogBelow, 0);
    EXPECT_LT(dialogBelow, coverBelow);  // the cover did come over it
    EXPECT_GT(dialogAfter, coverAfter);
    EXPECT_TRUE(activeAfter);
    // Gone with the session: asking for a form that is not shown changes nothing.
    fp->formDisplay().BringToFront(*form);
    QTest::qWait(10);
}

TEST_F(QtFormDisplayTest, RendersTheModelAndWritesTheUsersEditsBack) {
    int changes = 0, clicks = 0;
    auto* track = get<TTrackBar>(u"TrackBar1");
    auto* check = get<TCheckBox>(u"CheckBox5");
    auto* edit = get<TEdit>(u"Edit1");
    track->OnChange = [&](TObject*) {
        get<TLabel>(u"Label1")->SetCaption(u"Time for work: " + IntToStr(track->Position()));
    };
    check->OnClick = [&](TObject*) {
        ++clicks;
        get<TSpinEdit>(u"SpinEdit1")->SetEnabled(check->Checked());
    };
    edit->OnChange = [&](TObject*) { ++changes; };

    TModalResult r = ShowWith([&] {
        QWidget* dlg = QApplication::activeModalWidget();
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("QV Tovra"));
        EXPECT_EQ(dlg->size(), QSize(320, 200));
        auto* group = widget<QGroupBox>("GroupBox1");
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->title(), QStringLiteral(" Work: "));
        auto* line = widget<QLineEdit>("Edit1");
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->parentWidget(), group);  // a group box holds its controls
        EXPECT_EQ(line->geometry(), QRect(8, 48, 200, 21));
        EXPECT_EQ(line->text(), QStringLiteral("Work!"));
        auto* preview = widget<QLabel>("StaticText1");
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->geometry(), QRect(220, 50, 16, 16));
        EXPECT_EQ(preview->frameShape(), QFrame::Box);
        EXPECT_EQ(preview->palette().color(QPalette::Window), QColor(0x80, 0xFF, 0x80));
        auto* spin = widget<QSpinBox>("SpinEdit1");
        ASSERT_NE(spin, nullptr);
        EXPECT_FALSE(spin->isEnabled());
        // The active control has the dialog's focus.
        EXPECT_EQ(dlg->focusWidget(), widget<QPushButton>("BitBtn1"));

        // The user's edits reach the model, and its events run.
        QTest::mouseClick(widget<QCheckBox>("CheckBox5"), Qt::LeftButton, {}, QPoint(6, 8));
        EXPECT_TRUE(check->Checked());
        EXPECT_EQ(clicks, 1);
        EXPECT_TRUE(spin->isEnabled());  // the rule ran and the display followed
        line->selectAll();
        QTest::keyClicks(line, "Rest");
        EXPECT_EQ(edit->Text(), u"Rest");
        EXPECT_GE(changes, 1);
        auto* slider = widget<QSlider>("TrackBar1");
        QTest::keyClick(slider, Qt::Key_Right);
        EXPECT_EQ(track->Position(), 16);
        EXPECT_EQ(widget<QLabel>("Label1")->text(), QStringLiteral("Time for work: 16"));

        // Changes made by code show at once.
        get<TStaticText>(u"StaticText1")->SetBorderStyle(sbsNone);
        EXPECT_EQ(preview->frameShape(), QFrame::NoFrame);
        edit->SetText(u"from code");
        EXPECT_EQ(line->text(), QStringLiteral("from code"));

        // A preview in the tray's built-in face shows that face's pixels; another font, text.
        TFont* font = get<TStaticText>(u"StaticText1")->Font();
        font->SetColor(clBlack);
        font->SetHeight(-9);
        font->SetName(u"Small Fonts");
        QImage face = preview->pixmap().toImage();
        ASSERT_EQ(face.size(), QSize(10, 11));
        EXPECT_EQ(face.pixel(4, 2), qRgb(0, 0, 0));          // the top of the "4"
        EXPECT_EQ(face.pixel(0, 0), qRgb(0x80, 0xFF, 0x80));  // the preview's colour
        font->SetName(u"DejaVu Sans");
        EXPECT_TRUE(preview->pixmap().isNull());
        EXPECT_EQ(preview->text(), QStringLiteral("45"));
        QTest::mouseClick(widget<QPushButton>("BitBtn1"), Qt::LeftButton);
    });
    EXPECT_EQ(r, mrOk);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(QtFormDisplayTest, CloseBoxAndEscapeCancel) {
    int cancelClicks = 0;
    get<TBitBtn>(u"BitBtn2")->OnClick = [&](TObject*) { ++cancelClicks; };
    EXPECT_EQ(ShowWith([] { QApplication::activeModalWidget()->close(); }), mrCancel);
    EXPECT_EQ(cancelClicks, 0);
    EXPECT_EQ(ShowWith([this] {
                  QTest::keyClick(widget<QPushButton>("BitBtn1"), Qt::Key_Escape);
              }),
              mrCancel);
    EXPECT_EQ(cancelClicks, 1);  // Escape is the Cancel button's press
    // A form that refuses to close stays until a button decides.
    form->OnClose = [](TObject*, TCloseAction& a) { a = caNone; };
    EXPECT_EQ(ShowWith([this] {
                  QApplication::activeModalWidget()->close();
                  EXPECT_NE(QApplication::activeModalWidget(), nullptr);
                  QTest::mouseClick(widget<QPushButton>("BitBtn1"), Qt::LeftButton);
              }),
              mrOk);
}

}  // namespace
