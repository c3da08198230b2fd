// The settings window on the model: opening it, the rules between controls, the pickers, OK
// and Cancel.
#include "tests/app/ShellFixture.h"

namespace app::test {
namespace {

class SettingsWindowTest : public ShellFixture {
protected:
    // Changes every control of the window to a value other than its current one.
    static void changeEverything(TForm1& f) {
        f.TrackBar1->SetPosition(100);
        f.TrackBar2->SetPosition(3);
        f.Edit1->SetText(u"changed 1");
        f.Edit2->SetText(u"changed 2");
        f.Edit3->SetText(u"changed 3");
        f.Edit4->SetText(u"changed 4");
        f.StaticText1->SetColor(0x00010203);
        f.StaticText2->SetColor(0x00040506);
        f.StaticText1->Font()->SetName(u"Changed One");
        f.StaticText2->Font()->SetHeight(-20);
        f.CheckBox1->SetChecked(!f.CheckBox1->Checked());
        f.CheckBox2->SetChecked(!f.CheckBox2->Checked());
        f.CheckBox3->SetChecked(!f.CheckBox3->Checked());
        f.CheckBox4->SetChecked(!f.CheckBox4->Checked());
        f.CheckBox5->SetChecked(!f.CheckBox5->Checked());
        f.CheckBox6->SetChecked(!f.CheckBox6->Checked());
        f.SpinEdit1->SetValue(99);
    }
    struct Look {
        int32_t t1, t2, spin;
        std::u16string e[4], l1, l4, font1;
        int32_t height2;
        ui::TColor c1, c2;
        bool checks[6], loopEnabled, spinEnabled, label7Enabled;
        ui::TStaticBorderStyle b1, b2;
        bool operator==(const Look&) const = default;
    };
    Look look() const {
        TForm1& f = *form;
        return Look{f.TrackBar1->Position(), f.TrackBar2->Position(), f.SpinEdit1->Value(),
                    {f.Edit1->Text(), f.Edit2->Text(), f.Edit3->Text(), f.Edit4->Text()},
                    f.Label1->Caption(), f.Label4->Caption(), f.StaticText1->Font()->Name(),
                    f.StaticText2->Font()->Height(), f.StaticText1->Color(),
                    f.StaticText2->Color(),
                    {f.CheckBox1->Checked(), f.CheckBox2->Checked(), f.CheckBox3->Checked(),
                     f.CheckBox4->Checked(), f.CheckBox5->Checked(), f.CheckBox6->Checked()},
                    f.CheckBox2->Enabled(), f.SpinEdit1->Enabled(), f.Label7->Enabled(),
                    f.StaticText1->BorderStyle(), f.StaticText2->BorderStyle()};
    }
};

TEST_F(SettingsWindowTest, CancelPutsEveryValueAndLabelBack) {
    settings("[Work]\r\nTime=600\r\n");  // the trackbar shows 480 for the 600 in force
    start();
    const Look before = look();
    const std::string file = savedText();
    for (auto how : {"Cancel button", "close box"}) {
        SCOPED_TRACE(how);
        bool cancelButton = std::string(how) == "Cancel button";
        openSettings([&](TForm1& f) {
            changeEverything(f);
            EXPECT_NE(look(), before);
            if (cancelButton) f.BitBtn2->Click();  // otherwise left open: the close box
        });
        EXPECT_EQ(look(), before);
        EXPECT_EQ(form->TimeToWork, 600);
        EXPECT_EQ(savedText(), file);  // nothing saved
    }
}

TEST_F(SettingsWindowTest, CancelRestartsTheMinuteAndOkRestartsTheCycleInTheWorkLook) {
    start();
    fp.advance(30000);
    openSettings([](TForm1& f) { f.BitBtn2->Click(); });
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_TRUE(form->TextTrayIcon1->Enabled());
    fp.advance(kMinute - 1);
    EXPECT_EQ(trayText(), u"45");
    fp.advance(1);
    EXPECT_EQ(trayText(), u"44");

    // Into a rest period.
    form->TimeLeft = 1;
    form->Edit3->SetText(u"");  // no box: the switch follows at once
    fp.advance(kMinute);
    ASSERT_FALSE(WorkPhase);
    EXPECT_EQ(form->TextTrayIcon1->Color(), form->StaticText2->Color());
    EXPECT_EQ(trayText(), u"15");

    openSettings([](TForm1& f) {
        f.TrackBar1->SetPosition(30);
        f.BitBtn1->Click();
    });
    EXPECT_TRUE(WorkPhase);
    EXPECT_EQ(form->TimeToWork, 30);
    EXPECT_EQ(form->TextTrayIcon1->Color(), ui::TColor(8454016));
    fp.advance(100);
    EXPECT_EQ(trayText(), u"30");
    EXPECT_EQ(form->Timer1->Interval(), kMinute);
    EXPECT_EQ(ValueOf(savedText(), "Work", "Time"), "30");
}

TEST_F(SettingsWindowTest, OpenedOnlyWhileCounting) {
    start();
    // Paused.
    form->N3->Click();
    form->TextTrayIcon1DblClick(nullptr);
    EXPECT_EQ(fp.formDisplayFake.shown, 0);
    form->N3->Click();

    // During an alert (the box is open; a double click arrives meanwhile).
    form->TimeLeft = 1;
    int shownDuringAlert = -1;
    fp.messageBoxesFake.queue([&](const platform::fake::MessageBoxCall&) {
        form->TextTrayIcon1DblClick(nullptr);
        shownDuringAlert = fp.formDisplayFake.shown;
        return platform::IDOK;
    });
    fp.advance(kMinute);
    EXPECT_EQ(shownDuringAlert, 0);

    // Counting: it opens, the cycle stops meanwhile and the icon ignores the mouse; the
    // desktop that shows the tray menu by itself has none to offer meanwhile.
    bool timerOn = true, trayOn = true, menuOffered = true;
    openSettings([&](TForm1& f) {
        timerOn = f.Timer1->Enabled();
        trayOn = f.TextTrayIcon1->Enabled();
        menuOffered = !fp.notifyAreaFake.iconMenus.empty();
        EXPECT_EQ(f.ActiveControl(), f.BitBtn1);
        f.BitBtn2->Click();
    });
    EXPECT_EQ(fp.formDisplayFake.shown, 1);
    EXPECT_FALSE(timerOn);
    EXPECT_FALSE(trayOn);
    EXPECT_FALSE(menuOffered);
    EXPECT_FALSE(fp.notifyAreaFake.iconMenus.empty());
}

TEST_F(SettingsWindowTest, DoubleClickOnTheIconOpensItAndTheMenuItemToo) {
    start();
    fp.formDisplayFake.sessions.push_back([](ui::TForm& f) {
        static_cast<TForm1&>(f).BitBtn2->Click();
    });
    fp.notifyAreaFake.doubleClick();
    fp.advance(1000);
    EXPECT_EQ(fp.formDisplayFake.shown, 1);
    fp.formDisplayFake.sessions.push_back([](ui::TForm& f) {
        static_cast<TForm1&>(f).BitBtn2->Click();
    });
    form->N6->Click();
    EXPECT_EQ(fp.formDisplayFake.shown, 2);
}

TEST_F(SettingsWindowTest, BorderOffRemovesEveryBorder) {
    start();
    ASSERT_TRUE(form->TextTrayIcon1->Border());
    openSettings([](TForm1& f) {
        f.CheckBox6->Click();
        EXPECT_EQ(f.StaticText1->BorderStyle(), ui::sbsNone);
        EXPECT_EQ(f.StaticText2->BorderStyle(), ui::sbsNone);
        f.BitBtn1->Click();
    });
    EXPECT_FALSE(form->TextTrayIcon1->Border());
    openSettings([](TForm1& f) {
        f.CheckBox6->Click();
        f.BitBtn1->Click();
    });
    EXPECT_TRUE(form->TextTrayIcon1->Border());
    EXPECT_EQ(form->StaticText2->BorderStyle(), ui::sbsSingle);
}

TEST_F(SettingsWindowTest, EnableRulesFollowTheirCheckBoxes) {
    start();
    form->CheckBox1->Click();
    EXPECT_FALSE(form->CheckBox2->Enabled());
    form->CheckBox1->Click();
    EXPECT_TRUE(form->CheckBox2->Enabled());
    form->CheckBox5->Click();
    EXPECT_TRUE(form->SpinEdit1->Enabled());
    EXPECT_TRUE(form->Label7->Enabled());
    form->CheckBox5->Click();
    EXPECT_FALSE(form->SpinEdit1->Enabled());
    EXPECT_FALSE(form->Label7->Enabled());
}

TEST_F(SettingsWindowTest, PickersChangeTheirTargetOnlyWhenConfirmed) {
    start();
    const ui::TColor rest = form->StaticText2->Color();
    // Colour: the work button aims at the work preview, the rest button at the rest one.
    fp.pickersFake.colors.push_back(0x00112233);
    form->Button1->Click();
    EXPECT_EQ(form->StaticText1->Color(), ui::TColor(0x00112233));
    EXPECT_EQ(form->StaticText2->Color(), rest);
    fp.pickersFake.colors.push_back(0x00445566);
    form->Button3->Click();
    EXPECT_EQ(form->StaticText2->Color(), ui::TColor(0x00445566));
    form->Button3->Click();  // cancelled
    EXPECT_EQ(form->StaticText2->Color(), ui::TColor(0x00445566));

    // Font: opens on the target's font.
    std::u16string offered;
    fp.pickersFake.fonts.push_back([&](ui::TFont& f) {
        offered = f.Name();
        f.SetName(u"Picked Sans");
        return true;
    });
    form->Button4->Click();
    EXPECT_EQ(offered, u"Small Fonts");
    EXPECT_EQ(form->StaticText2->Font()->Name(), u"Picked Sans");
    EXPECT_EQ(form->StaticText1->Font()->Name(), u"Small Fonts");
    fp.pickersFake.fonts.push_back([](ui::TFont& f) {
        f.SetName(u"Not Kept");
        return false;
    });
    form->Button2->Click();
    EXPECT_EQ(form->StaticText1->Font()->Name(), u"Small Fonts");

    // File: the path picked replaces the field; the filter is the window's.
    fp.pickersFake.files.push_back(u"/home/юзер/Music/my \"bell\".ogg");
    form->SpeedButton4->Click();
    EXPECT_EQ(form->Edit4->Text(), u"/home/юзер/Music/my \"bell\".ogg");
    EXPECT_EQ(form->Edit2->Text(), kExeDir + u"alarm.mp3");
    form->SpeedButton2->Click();  // cancelled
    EXPECT_EQ(form->Edit2->Text(), kExeDir + u"alarm.mp3");
    ASSERT_FALSE(fp.pickersFake.fileFilters.empty());
    EXPECT_EQ(fp.pickersFake.fileFilters[0],
              u"MP3, WAV|*.mp3; *.wav|AVI, MPEG, WMV|*.avi; *.mpg; *.mpeg; *.wmv|All files|*.*");

    // The small buttons empty the messages.
    form->SpeedButton1->Click();
    form->SpeedButton3->Click();
    EXPECT_EQ(form->Edit1->Text(), u"");
    EXPECT_EQ(form->Edit3->Text(), u"");
}

TEST_F(SettingsWindowTest, DurationLabelsFollowTheTrackbars) {
    start();
    struct Case {
        int32_t pos;
        std::u16string work, rest;
    } cases[] = {
        {1, u"Time for work: 0 hr 01 min", u"Time for rest: 0 hr 01 min"},
        {125, u"Time for work: 2 hr 05 min", u"Time for rest: 2 hr 05 min"},
        {480, u"Time for work: 8 hr 00 min", u"Time for rest: 8 hr 00 min"},
    };
    for (auto& c : cases) {
        form->TrackBar1->SetPosition(c.pos);
        form->TrackBar2->SetPosition(c.pos);
        EXPECT_EQ(form->Label1->Caption(), c.work);
        EXPECT_EQ(form->Label4->Caption(), c.rest);
    }
}

}  // namespace
}  // namespace app::test
