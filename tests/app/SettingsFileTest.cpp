// tovra.ini: defaults, the round trip of every value, the exact layout of a save, and files
// that hold what they should not.
#include "tests/app/ShellFixture.h"

namespace app::test {

namespace {

using Keys = std::vector<std::string>;

Keys KeysOf(const std::vector<std::pair<std::string, std::string>>& v) {
    Keys k;
    for (auto& [name, value] : v) k.push_back(name);
    return k;
}

class SettingsFileTest : public ShellFixture {};

TEST_F(SettingsFileTest, FirstStartUsesTheDefaultsAndWritesEverythingAtExit) {
    start();
    EXPECT_EQ(form->TimeToWork, 45);
    EXPECT_EQ(form->TimeToRest, 15);
    EXPECT_EQ(form->TrackBar1->Position(), 45);
    EXPECT_EQ(form->TrackBar2->Position(), 15);
    EXPECT_EQ(form->Edit1->Text(), u"Work!");
    EXPECT_EQ(form->Edit3->Text(), u"Rest!");
    EXPECT_EQ(form->Edit2->Text(), kExeDir + u"alarm.mp3");
    EXPECT_EQ(form->Edit4->Text(), kExeDir + u"alarm.mp3");
    EXPECT_EQ(form->StaticText1->Color(), ui::TColor(8454016));
    EXPECT_EQ(form->StaticText2->Color(), ui::TColor(8421631));
    EXPECT_EQ(form->StaticText1->Font()->Name(), u"Small Fonts");
    EXPECT_EQ(form->StaticText1->Font()->Height(), -9);
    EXPECT_TRUE(form->CheckBox6->Checked());
    EXPECT_FALSE(form->CheckBox1->Checked());
    EXPECT_TRUE(form->CheckBox2->Checked());
    EXPECT_FALSE(form->CheckBox3->Checked());
    EXPECT_FALSE(form->CheckBox4->Checked());
    EXPECT_FALSE(form->CheckBox5->Checked());
    EXPECT_EQ(form->SpinEdit1->Value(), 15);
    EXPECT_EQ(form->Label1->Caption(), u"Time for work: 0 hr 45 min");
    EXPECT_EQ(form->Label4->Caption(), u"Time for rest: 0 hr 15 min");
    // The icon is up, in the work colours, with the work length on it.
    EXPECT_TRUE(form->TextTrayIcon1->IconVisible());
    EXPECT_EQ(form->TextTrayIcon1->Color(), ui::TColor(8454016));
    EXPECT_TRUE(form->TextTrayIcon1->Border());
    EXPECT_EQ(trayText(), u"45");
    EXPECT_TRUE(savedText().empty());

    destroy();
    auto ini = ParseIni(savedText());
    EXPECT_EQ(KeysOf(ini["Work"]), (Keys{"Time", "Msg", "File", "BgColor", "Font", "Border"}));
    EXPECT_EQ(KeysOf(ini["Rest"]), (Keys{"Time", "Msg", "File", "BgColor", "Font"}));
    EXPECT_EQ(KeysOf(ini["Param"]), (Keys{"ExtPlayer", "LoopSound", "BaloonHints",
                                          "MonitorPower", "UserActivity", "UATime"}));
    EXPECT_EQ(KeysOf(ini["Params"]), (Keys{"LanguageID"}));
    EXPECT_EQ(ValueOf(savedText(), "Work", "Time"), "45");
    EXPECT_EQ(ValueOf(savedText(), "Rest", "Time"), "15");
    EXPECT_EQ(ValueOf(savedText(), "Params", "LanguageID"), "1033");
    // Sections in the order of the save.
    std::string t = savedText();
    EXPECT_LT(t.find("[Work]"), t.find("[Rest]"));
    EXPECT_LT(t.find("[Rest]"), t.find("[Param]"));
    EXPECT_LT(t.find("[Param]"), t.find("[Params]"));
}

TEST_F(SettingsFileTest, EveryValueSurvivesASaveAndALoad) {
    start();
    form->TrackBar1->SetPosition(33);
    form->TrackBar2->SetPosition(7);
    form->Edit1->SetText(u"Back to work, \"friend\" = ready; кот\tok");
    form->Edit2->SetText(u"/home/юзер/My Music/bell's ring.wav");
    form->Edit3->SetText(u"  Rest your eyes\nand stretch  ");
    form->Edit4->SetText(u"");
    form->StaticText1->SetColor(0x00123456);
    form->StaticText2->SetColor(ui::clBtnFace);
    form->StaticText1->Font()->SetName(u"DejaVu Sans");
    form->StaticText1->Font()->SetHeight(-13);
    form->StaticText1->Font()->SetStyle(ui::TFontStyles(ui::fsBold | ui::fsItalic));
    form->StaticText1->Font()->SetColor(0x000000FF);
    form->StaticText2->Font()->SetName(u"Liberation Mono");
    form->StaticText2->Font()->SetHeight(12);
    form->StaticText2->Font()->SetStyle(ui::TFontStyles(ui::fsUnderline | ui::fsStrikeOut));
    form->CheckBox6->SetChecked(false);
    form->CheckBox1->SetChecked(true);
    form->CheckBox2->SetChecked(false);
    form->CheckBox3->SetChecked(true);
    form->CheckBox4->SetChecked(true);
    form->CheckBox5->SetChecked(true);
    form->SpinEdit1->SetValue(480);
    openSettings([](TForm1& f) { f.BitBtn1->Click(); });
    destroy();

    start();
    EXPECT_EQ(form->TimeToWork, 33);
    EXPECT_EQ(form->TimeToRest, 7);
    EXPECT_EQ(form->TrackBar1->Position(), 33);
    EXPECT_EQ(form->TrackBar2->Position(), 7);
    EXPECT_EQ(form->Edit1->Text(), u"Back to work, \"friend\" = ready; кот\tok");
    EXPECT_EQ(form->Edit2->Text(), u"/home/юзер/My Music/bell's ring.wav");
    EXPECT_EQ(form->Edit3->Text(), u"  Rest your eyes\nand stretch  ");
    EXPECT_EQ(form->Edit4->Text(), u"");
    EXPECT_EQ(form->StaticText1->Color(), ui::TColor(0x00123456));
    EXPECT_EQ(form->StaticText2->Color(), ui::clBtnFace);
    const ui::TFont& f1 = *form->StaticText1->Font();
    EXPECT_EQ(f1.Name(), u"DejaVu Sans");
    EXPECT_EQ(f1.Height(), -13);
    EXPECT_EQ(f1.Style(), (ui::TFontStyles(ui::fsBold | ui::fsItalic)));
    EXPECT_EQ(f1.Color(), ui::TColor(0x000000FF));
    const ui::TFont& f2 = *form->StaticText2->Font();
    EXPECT_EQ(f2.Name(), u"Liberation Mono");
    EXPECT_EQ(f2.Height(), 12);
    EXPECT_EQ(f2.Style(), (ui::TFontStyles(ui::fsUnderline | ui::fsStrikeOut)));
    EXPECT_FALSE(form->CheckBox6->Checked());
    EXPECT_TRUE(form->CheckBox1->Checked());
    EXPECT_FALSE(form->CheckBox2->Checked());
    EXPECT_TRUE(form->CheckBox3->Checked());
    EXPECT_TRUE(form->CheckBox4->Checked());
    EXPECT_TRUE(form->CheckBox5->Checked());
    EXPECT_EQ(form->SpinEdit1->Value(), 480);
    // The icon takes the loaded work look.
    EXPECT_EQ(form->TextTrayIcon1->Color(), ui::TColor(0x00123456));
    EXPECT_EQ(form->TextTrayIcon1->Font()->Name(), u"DejaVu Sans");
    EXPECT_FALSE(form->TextTrayIcon1->Border());
    EXPECT_EQ(form->StaticText1->BorderStyle(), ui::sbsNone);
    EXPECT_EQ(form->StaticText2->BorderStyle(), ui::sbsNone);
    EXPECT_EQ(trayText(), u"33");
}

TEST_F(SettingsFileTest, LoadedValuesRunTheControlsRules) {
    struct Case {
        const char* param;
        std::function<void(TForm1&)> check;
    } cases[] = {
        {"ExtPlayer=1", [](TForm1& f) { EXPECT_FALSE(f.CheckBox2->Enabled()); }},
        {"ExtPlayer=0", [](TForm1& f) { EXPECT_TRUE(f.CheckBox2->Enabled()); }},
        {"UserActivity=1",
         [](TForm1& f) {
             EXPECT_TRUE(f.SpinEdit1->Enabled());
             EXPECT_TRUE(f.Label7->Enabled());
         }},
        {"UserActivity=0",
         [](TForm1& f) {
             EXPECT_FALSE(f.SpinEdit1->Enabled());
             EXPECT_FALSE(f.Label7->Enabled());
         }},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.param);
        settings(std::string("[Param]\r\n") + c.param + "\r\n");
        start();
        c.check(*form);
        destroy();
        ResetProcessState();
    }
}

TEST_F(SettingsFileTest, LengthAboveTheTrackbarRunsUnclampedUntilTheNextOk) {
    settings("[Work]\r\nTime=600\r\n[Rest]\r\nTime=0\r\n");
    start();
    EXPECT_EQ(form->TimeToWork, 600);
    EXPECT_EQ(form->TimeLeft, 600);
    EXPECT_EQ(form->TrackBar1->Position(), 480);
    EXPECT_EQ(form->Label1->Caption(), u"Time for work: 8 hr 00 min");
    EXPECT_EQ(trayText(), u"10h");
    fp.advance(kMinute);
    EXPECT_EQ(form->TimeLeft, 599);
    openSettings([](TForm1& f) { f.BitBtn1->Click(); });
    EXPECT_EQ(ValueOf(savedText(), "Work", "Time"), "480");
    EXPECT_EQ(form->TimeToWork, 480);
}

TEST_F(SettingsFileTest, UnreadableValuesFallBackToTheirDefaults) {
    settings(
        "[Work]\r\nTime=abc\r\nBgColor=not a colour\r\nBorder=maybe\r\n"
        "[Rest]\r\nTime=\r\n"
        "[Param]\r\nUATime=12x\r\nLoopSound=?\r\n"
        "[Params]\r\nLanguageID=xyz\r\n");
    start();
    EXPECT_EQ(form->TimeToWork, 45);
    EXPECT_EQ(form->TimeToRest, 15);
    EXPECT_EQ(form->StaticText1->Color(), ui::TColor(8454016));
    EXPECT_EQ(form->SpinEdit1->Value(), 15);
    EXPECT_EQ(lang::CurrentLanguageId(), 1033u);
    EXPECT_EQ(trayText(), u"45");
    EXPECT_TRUE(form->TextTrayIcon1->IconVisible());
}

TEST_F(SettingsFileTest, ASavedFileAlwaysHasTheFourSections) {
    // Another program left only a foreign section and one key.
    settings("[Other]\r\nx=1\r\n[Work]\r\nTime=20\r\n");
    start();
    openSettings([](TForm1& f) { f.BitBtn1->Click(); });
    auto ini = ParseIni(savedText());
    for (const char* s : {"Work", "Rest", "Param", "Params"}) EXPECT_EQ(ini.count(s), 1u) << s;
    EXPECT_EQ(ValueOf(savedText(), "Other", "x"), "1");  // what is not ours stays
    EXPECT_EQ(ValueOf(savedText(), "Work", "Time"), "20");
}

TEST_F(SettingsFileTest, UnsavableFileIsReportedAndTheProgramGoesOn) {
    start();
    fp.profileFilesFake.writeFault = [](const char16_t*, const char16_t*, const char16_t*) {
        return uint32_t(5);  // access denied
    };
    openSettings([](TForm1& f) { f.BitBtn1->Click(); });
    EXPECT_GE(errorBoxes(), 1);
    // The window's end still ran: the cycle restarts.
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_TRUE(form->TextTrayIcon1->Enabled());
    fp.advance(100);
    EXPECT_EQ(trayText(), u"45");
}

// A translation that cannot be applied must not lose the rest of the user's settings (which
// the save at exit would otherwise replace with defaults), nor leave the program without its
// icon.
TEST_F(SettingsFileTest, BadSavedLanguageStillLoadsEverythingElse) {
    addLanguage(u"Broken.lng", LngFile(1036, "1=a\r\n1=b\r\n", ""));
    settings("[Params]\r\nLanguageID=1036\r\n[Work]\r\nTime=25\r\nMsg=47006F00\r\n"
             "[Rest]\r\nTime=9\r\n[Param]\r\nUATime=30\r\n");
    start();
    EXPECT_EQ(form->TimeToWork, 25);
    EXPECT_EQ(form->Edit1->Text(), u"Go");
    EXPECT_EQ(form->TimeToRest, 9);
    EXPECT_EQ(form->SpinEdit1->Value(), 30);
    EXPECT_TRUE(form->TextTrayIcon1->IconVisible());
    EXPECT_EQ(trayText(), u"25");
    destroy();
    EXPECT_EQ(ValueOf(savedText(), "Work", "Time"), "25");
    EXPECT_EQ(ValueOf(savedText(), "Param", "UATime"), "30");
}

}  // namespace
}  // namespace app::test
