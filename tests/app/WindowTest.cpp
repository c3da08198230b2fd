// The main window as its stored description makes it: components, places, captions, initial
// properties, the tray menu, the property map binding, and the window-level handlers.
#include <string>
#include <vector>

#include "lang/DKLang.h"
#include "tests/app/AppFixture.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"

namespace app::test {
namespace {

using WindowTest = AppFixture;

TEST_F(WindowTest, ControlsSitWhereTheyBelongWithTheirCaptions) {
    struct Case {
        const char16_t* name;
        const char16_t* parent;
        int left, top, width, height;  // width/height -1: not fixed (labels size themselves)
        const char16_t* caption;       // nullptr: not checked (the settings load sets it)
    };
    const Case cases[] = {
        {u"GroupBox1", u"Form1", 8, 4, 545, 148, u" Work: "},
        {u"Label1", u"GroupBox1", 8, 20, -1, -1, nullptr},
        {u"TrackBar1", u"GroupBox1", 176, 12, 361, 25, nullptr},
        {u"Label2", u"GroupBox1", 8, 50, -1, -1, u"Message:"},
        {u"Edit1", u"GroupBox1", 80, 48, 425, 21, nullptr},
        {u"SpeedButton1", u"GroupBox1", 512, 48, 23, 22, nullptr},
        {u"Label3", u"GroupBox1", 8, 82, -1, -1, u"Sound/file:"},
        {u"Edit2", u"GroupBox1", 80, 80, 425, 21, nullptr},
        {u"SpeedButton2", u"GroupBox1", 512, 80, 23, 22, nullptr},
        {u"StaticText1", u"GroupBox1", 80, 117, 16, 16, u"45"},
        {u"Button1", u"GroupBox1", 112, 112, 122, 25, u"Background color..."},
        {u"Button2", u"GroupBox1", 249, 112, 89, 25, u"Font..."},
        {u"CheckBox6", u"GroupBox1", 360, 117, 169, 17, u"Border"},
        {u"GroupBox2", u"Form1", 7, 155, 545, 148, u" Rest: "},
        {u"Label4", u"GroupBox2", 8, 20, -1, -1, nullptr},
        {u"TrackBar2", u"GroupBox2", 176, 12, 361, 25, nullptr},
        {u"Label5", u"GroupBox2", 8, 50, -1, -1, u"Message:"},
        {u"Edit3", u"GroupBox2", 80, 48, 425, 21, nullptr},
        {u"SpeedButton3", u"GroupBox2", 512, 48, 23, 22, nullptr},
        {u"Label6", u"GroupBox2", 8, 82, -1, -1, u"Sound/file:"},
        {u"Edit4", u"GroupBox2", 80, 80, 425, 21, nullptr},
        {u"SpeedButton4", u"GroupBox2", 512, 80, 23, 22, nullptr},
        {u"StaticText2", u"GroupBox2", 80, 117, 16, 16, u"15"},
        {u"Button3", u"GroupBox2", 112, 112, 123, 25, u"Background color..."},
        {u"Button4", u"GroupBox2", 250, 112, 89, 25, u"Font..."},
        {u"CheckBox1", u"Form1", 8, 312, 537, 17,
         u"Use an external program to play MP3 and WAV files"},
        {u"CheckBox2", u"Form1", 8, 330, 537, 17, u"Loop the sound"},
        {u"CheckBox3", u"Form1", 8, 348, 537, 17, u"Show Baloon Hints"},
        {u"CheckBox4", u"Form1", 8, 366, 537, 17, u"Turn off and turn on the monitor"},
        {u"CheckBox5", u"Form1", 8, 384, 537, 17,
         u"Pauses the program if there is no user activity (keyboard, mouse)"},
        {u"Label7", u"Form1", 41, 406, -1, -1, u"The time of user inactivity (min):"},
        {u"SpinEdit1", u"Form1", 273, 403, 73, 22, nullptr},
        {u"BitBtn1", u"Form1", 368, 420, 81, 25, u"OK"},
        {u"BitBtn2", u"Form1", 456, 420, 89, 25, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ui::ToUtf8(c.name));
        auto* ctl = dynamic_cast<ui::TControl*>(form->FindComponent(c.name));
        ASSERT_NE(ctl, nullptr);
        ASSERT_NE(ctl->Parent(), nullptr);
        EXPECT_EQ(ctl->Parent()->Name(), c.parent);
        EXPECT_EQ(ctl->Left(), c.left);
        EXPECT_EQ(ctl->Top(), c.top);
        if (c.width >= 0) {
            EXPECT_EQ(ctl->Width(), c.width);
            EXPECT_EQ(ctl->Height(), c.height);
        }
        if (c.caption) {
            EXPECT_EQ(ctl->Caption(), c.caption);
        }
    }
}

TEST_F(WindowTest, WindowAndControlsCarryTheirInitialProperties) {
    EXPECT_EQ(form->Name(), u"Form1");
    EXPECT_EQ(form->Caption(), u"QV Tovra");
    EXPECT_EQ(form->ClientWidth(), 556);
    EXPECT_EQ(form->ClientHeight(), 451);
    EXPECT_EQ(form->Position(), ui::poScreenCenter);
    EXPECT_EQ(form->BorderStyle(), ui::bsDialog);
    EXPECT_EQ(form->GetFont().Name(), u"MS Sans Serif");
    EXPECT_EQ(form->GetFont().Height(), -11);
    EXPECT_FALSE(form->Visible());

    for (auto* tb : {form->TrackBar1, form->TrackBar2}) {
        EXPECT_EQ(tb->Min(), 1);
        EXPECT_EQ(tb->Max(), 480);
        EXPECT_EQ(tb->PageSize(), 1);
        EXPECT_EQ(tb->Frequency(), 60);
    }
    EXPECT_EQ(form->SpinEdit1->MinValue(), 1);
    EXPECT_EQ(form->SpinEdit1->MaxValue(), 480);
    for (auto* st : {form->StaticText1, form->StaticText2}) {
        EXPECT_EQ(st->Alignment(), ui::taCenter);
        EXPECT_EQ(st->GetFont().Name(), u"Small Fonts");
        EXPECT_EQ(st->GetFont().Height(), -9);
        EXPECT_EQ(st->GetFont().Color(), ui::clWindowText);
        EXPECT_EQ(st->GetFont().Style(), 0u);
    }
    EXPECT_EQ(form->StaticText1->Color(), 8454016);
    EXPECT_EQ(form->StaticText2->Color(), 8421631);
    for (auto* b : {form->BitBtn1, form->BitBtn2})
        EXPECT_EQ(b->Anchors(), ui::TAnchors(ui::akRight | ui::akBottom));
    EXPECT_EQ(form->BitBtn1->ModalResult(), ui::mrOk);
    EXPECT_EQ(form->BitBtn2->ModalResult(), ui::mrCancel);
    for (auto* sb : {form->SpeedButton1, form->SpeedButton2, form->SpeedButton3,
                     form->SpeedButton4}) {
        EXPECT_TRUE(sb->Flat());
        ASSERT_GE(sb->Glyph()->Data().size(), 8u);
        EXPECT_EQ(sb->Glyph()->Data()[1], 'P');  // a PNG picture
    }
    EXPECT_EQ(form->OpenDialog1->Filter(),
              u"MP3, WAV|*.mp3; *.wav|AVI, MPEG, WMV|*.avi; *.mpg; *.mpeg; *.wmv|All files|*.*");

    // Before the first tick.
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_EQ(form->Timer1->Interval(), 50u);
    EXPECT_FALSE(form->Timer2->Enabled());
    EXPECT_EQ(form->Timer2->Interval(), 1000u);

    auto* tray = form->TextTrayIcon1;
    EXPECT_EQ(tray->Hint(), u"QV Tovra");
    EXPECT_EQ(tray->PopupMenu(), form->PopupMenu1);
    EXPECT_EQ(tray->Font()->Name(), u"Small Fonts");
    EXPECT_EQ(tray->Font()->Height(), -9);
    EXPECT_EQ(tray->Text(), u"");
    EXPECT_FALSE(tray->CycleIcons());
    EXPECT_EQ(tray->Options()->OffsetX(), 0);
    EXPECT_EQ(tray->Options()->OffsetY(), 0);
    EXPECT_EQ(tray->Options()->LineDistance(), 0);
}

TEST_F(WindowTest, TrayMenuHoldsItsItemsInOrder) {
    struct Item {
        const char16_t* name;
        const char16_t* caption;
        bool autoCheck;
    };
    const Item items[] = {
        {u"N13", u"Help", false},
        {u"N12", u"About program", false},
        {u"N11", u"Program website", false},
        {u"N10", u"Email Us", false},
        {u"N14", u"Donate", false},
        {u"N9", u"-", false},
        {u"N8", u"Starting with Windows", true},
        {u"N7", u"-", false},
        {u"mLanguage", u"Language", false},
        {u"N5", u"-", false},
        {u"N6", u"Settings...", false},
        {u"N4", u"-", false},
        {u"N3", u"Pause", true},
        {u"N2", u"-", false},
        {u"N1", u"Exit", false},
    };
    ui::TMenuItem* root = form->PopupMenu1->Items();
    ASSERT_EQ(root->Count(), int(std::size(items)));
    for (int i = 0; i < root->Count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(root->Items(i)->Name(), items[i].name);
        EXPECT_EQ(root->Items(i)->Caption(), items[i].caption);
        EXPECT_EQ(root->Items(i)->AutoCheck(), items[i].autoCheck);
    }
    EXPECT_EQ(form->PopupMenu1->Images(), form->ImageList1);
}

TEST_F(WindowTest, PropertyMapFindsEveryComponentItNames) {
    auto& root = form->dklcMain->RootCompEntry();
    EXPECT_EQ(root.Component(), form.get());
    ASSERT_NE(root.OwnedCompEntries(), nullptr);
    // Entries whose component is missing are dropped when the map is bound.
    EXPECT_EQ(root.OwnedCompEntries()->Count(), 57);
}

TEST_F(WindowTest, ShowingTheWindowMakesOkTheActiveControl) {
    fp.formDisplayFake.sessions.push_back([&](ui::TForm& f) {
        EXPECT_EQ(f.ActiveControl(), form->BitBtn1);
        f.SetModalResult(ui::mrCancel);
    });
    form->ShowModal();
    EXPECT_EQ(fp.formDisplayFake.shown, 1);
}

TEST_F(WindowTest, StartupDecisionKeepsTheWindowHidden) {
    bool show = true;
    form->TextTrayIcon1Startup(form->TextTrayIcon1, show);
    EXPECT_FALSE(show);
    EXPECT_FALSE(form->Visible());
}

TEST_F(WindowTest, ExitClosesTheMainWindowAndEndsTheLoop) {
    form->SetMainForm(true);
    form->N1->Click();
    EXPECT_TRUE(fp.loopFake.quitRequested());
    EXPECT_FALSE(form->Visible());
}

}  // namespace
}  // namespace app::test
