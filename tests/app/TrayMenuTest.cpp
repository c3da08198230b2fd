// The tray's hint, the hours-and-minutes and version texts, and the menu commands.
#include <algorithm>
#include <climits>

#include "tests/app/ShellFixture.h"

namespace app::test {
namespace {

class TrayMenuTest : public ShellFixture {};

TEST_F(TrayMenuTest, MinutesAsHoursAndMinutes) {
    start();
    struct Case {
        int32_t minutes;
        std::u16string text;
    } cases[] = {
        {45, u"0 hr 45 min"},  {125, u"2 hr 05 min"}, {0, u"0 hr 00 min"},
        {480, u"8 hr 00 min"}, {59, u"0 hr 59 min"},  {60, u"1 hr 00 min"},
        {61, u"1 hr 01 min"},  {600, u"10 hr 00 min"},
        // Reachable only with a length below 0 in the settings file.
        {-5, u"-0 hr 05 min"}, {-125, u"-2 hr 05 min"},
        {INT_MIN, u"-35791394 hr 08 min"},
    };
    for (auto& c : cases) EXPECT_EQ(form->MinToStr(c.minutes), c.text) << c.minutes;
}

TEST_F(TrayMenuTest, ZeroPadFillsToTheWidth) {
    EXPECT_EQ(TForm1::ZeroPad(0, 2), u"00");
    EXPECT_EQ(TForm1::ZeroPad(7, 2), u"07");
    EXPECT_EQ(TForm1::ZeroPad(59, 2), u"59");
    EXPECT_EQ(TForm1::ZeroPad(123, 2), u"123");
    EXPECT_EQ(TForm1::ZeroPad(5, 0), u"5");
}

TEST_F(TrayMenuTest, VersionTextDropsUpToTwoTrailingZeroParts) {
    start();
    using V = std::array<uint16_t, 4>;
    struct Case {
        std::optional<V> version;
        std::u16string text;
    } cases[] = {
        {V{3, 6, 5, 0}, u"3.6.5"}, {V{2, 0, 0, 0}, u"2.0"},     {V{1, 2, 0, 1}, u"1.2.0.1"},
        {V{1, 0, 0, 0}, u"1.0"},   {V{10, 20, 0, 0}, u"10.20"}, {std::nullopt, u""},
    };
    for (auto& c : cases) {
        fp.versionFake.version = c.version;
        EXPECT_EQ(form->GetVersionText(), c.text);
    }
}

TEST_F(TrayMenuTest, HintFollowsThePhaseAndThePause) {
    start();
    fp.notifyAreaFake.mouseMove();
    EXPECT_EQ(form->TextTrayIcon1->Hint(), u"QV Tovra - Time left for work 0 hr 45 min");

    form->TimeLeft = 150;  // above 99 the hint keeps hours and minutes
    fp.notifyAreaFake.mouseMove();
    EXPECT_EQ(form->TextTrayIcon1->Hint(), u"QV Tovra - Time left for work 2 hr 30 min");

    WorkPhase = false;
    form->TimeLeft = 7;
    fp.notifyAreaFake.mouseMove();
    EXPECT_EQ(form->TextTrayIcon1->Hint(), u"QV Tovra - Time left for rest 0 hr 07 min");

    form->N3->Click();  // Pause
    fp.notifyAreaFake.mouseMove();
    EXPECT_EQ(form->TextTrayIcon1->Hint(), u"QV Tovra - pause");
}

TEST_F(TrayMenuTest, MenuHoldsEveryCommandInOrder) {
    start();
    ui::TMenuItem* root = form->PopupMenu1->Items();
    std::vector<ui::TMenuItem*> expected = {form->N13, form->N12, form->N11, form->N10,
                                            form->N14, form->N9,  form->N8,  form->N7,
                                            form->mLanguage, form->N5, form->N6, form->N4,
                                            form->N3, form->N2, form->N1};
    ASSERT_EQ(root->Count(), int(expected.size()));
    for (int i = 0; i < root->Count(); ++i) EXPECT_EQ(root->Items(i), expected[size_t(i)]) << i;
    std::vector<std::u16string> captions;
    for (int i = 0; i < root->Count(); ++i) captions.push_back(root->Items(i)->Caption());
    EXPECT_EQ(captions, (std::vector<std::u16string>{
                            u"Help", u"About program", u"Program website", u"Email Us",
                            u"Donate", u"-", u"Starting with Windows", u"-", u"Language", u"-",
                            u"Settings...", u"-", u"Pause", u"-", u"Exit"}));
    EXPECT_TRUE(form->N8->AutoCheck());
    EXPECT_TRUE(form->N3->AutoCheck());
    // Eight commands carry a picture, each its own.
    std::set<int32_t> pictures;
    for (auto* item : {form->N13, form->N12, form->N11, form->N10, form->N14, form->mLanguage,
                       form->N6, form->N1}) {
        EXPECT_GE(item->ImageIndex(), 0) << ui::ToUtf8(item->Caption());
        pictures.insert(item->ImageIndex());
        // ...which the window's description holds: a 16x16 picture with something drawn on it
        // and a transparent surround somewhere.
        const platform::IconImage* img = form->ImageList1->Image(item->ImageIndex());
        ASSERT_NE(img, nullptr) << ui::ToUtf8(item->Caption());
        EXPECT_EQ(img->Width, 16);
        EXPECT_EQ(img->Height, 16);
        auto opaque = std::count_if(img->Pixels.begin(), img->Pixels.end(),
                                    [](uint32_t p) { return p >> 24 == 0xFF; });
        EXPECT_GT(opaque, 40) << ui::ToUtf8(item->Caption());
        EXPECT_LT(opaque, 256) << ui::ToUtf8(item->Caption());
    }
    EXPECT_EQ(pictures.size(), 8u);
    EXPECT_EQ(form->PopupMenu1->Images(), form->ImageList1);
    EXPECT_EQ(form->ImageList1->Count(), 8);
    for (auto* item : {form->N9, form->N8, form->N7, form->N5, form->N4, form->N3, form->N2})
        EXPECT_EQ(item->ImageIndex(), -1) << ui::ToUtf8(item->Caption());
}

TEST_F(TrayMenuTest, WebCommandsOpenTheProjectsAddresses) {
    start();
    form->N11->Click();
    form->N10->Click();
    form->N14->Click();
    ASSERT_EQ(fp.shellFake.calls.size(), 3u);
    EXPECT_EQ(fp.shellFake.calls[0].target, u"https://qv-tovra.example.org/");
    EXPECT_EQ(fp.shellFake.calls[1].target,
              u"mailto:support@qv-tovra.example.org?subject=QV%20Tovra%203.6.5");
    EXPECT_EQ(fp.shellFake.calls[2].target, u"https://qv-tovra.example.org/donate/");
    for (auto& c : fp.shellFake.calls) EXPECT_EQ(c.showCmd, platform::SW_SHOWNORMAL);

    // No version: the subject ends after the name.
    fp.versionFake.version.reset();
    fp.shellFake.succeed = false;  // no mail program: nothing is reported
    form->N10->Click();
    EXPECT_EQ(fp.shellFake.calls.back().target,
              u"mailto:support@qv-tovra.example.org?subject=QV%20Tovra%20");
    EXPECT_EQ(errorBoxes(), 0);
}

TEST_F(TrayMenuTest, HelpOpensOnlyAnExistingHelpFile) {
    start();
    form->N13->Click();
    EXPECT_TRUE(fp.shellFake.calls.empty());
    fp.fileSystemFake.addFile(kExeDir + u"help.chm", "x");
    form->N13->Click();
    ASSERT_EQ(fp.shellFake.calls.size(), 1u);
    EXPECT_EQ(fp.shellFake.calls[0].target, kExeDir + u"help.chm");
    EXPECT_EQ(fp.shellFake.calls[0].showCmd, platform::SW_SHOWMAXIMIZED);
}

TEST_F(TrayMenuTest, AboutBoxStopsTheMinuteWhileOpen) {
    start();
    fp.advance(40000);  // 40 s into the minute
    bool timerOnWhileOpen = true, trayOnWhileOpen = true;
    fp.messageBoxesFake.queue([&](const platform::fake::MessageBoxCall&) {
        timerOnWhileOpen = form->Timer1->Enabled();
        trayOnWhileOpen = form->TextTrayIcon1->Enabled();
        fp.advance(5 * kMinute);  // the box stays open five minutes
        return platform::IDOK;
    });
    form->N12->Click();
    ASSERT_EQ(fp.messageBoxesFake.calls.size(), 1u);
    const auto& box = fp.messageBoxesFake.calls[0];
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.caption, u" About");
    EXPECT_EQ(box.flags, platform::MB_TOPMOST | platform::MB_ICONINFORMATION);
    EXPECT_NE(box.text.find(u"\"QV Tovra v.3.6.5\""), std::u16string::npos);
    EXPECT_NE(box.text.find(u"The program for the protection of your eyesight."),
              std::u16string::npos);
    EXPECT_NE(box.text.find(u"https://qv-tovra.example.org/"), std::u16string::npos);
    EXPECT_FALSE(timerOnWhileOpen);
    EXPECT_FALSE(trayOnWhileOpen);
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_TRUE(form->TextTrayIcon1->Enabled());
    EXPECT_EQ(trayText(), u"45");
    // A full minute from the close, not the 20 s left before it opened.
    fp.advance(kMinute - 1);
    EXPECT_EQ(trayText(), u"45");
    fp.advance(1);
    EXPECT_EQ(trayText(), u"44");

    fp.versionFake.version.reset();
    form->N12->Click();
    EXPECT_NE(fp.messageBoxesFake.calls.back().text.find(u"\"QV Tovra v.\""),
              std::u16string::npos);
}

TEST_F(TrayMenuTest, ExitEndsTheLoopAndSavesAtDestruction) {
    start();
    form->N1->Click();
    EXPECT_TRUE(fp.loopFake.quitRequested());
    EXPECT_TRUE(savedText().empty());  // nothing written until the window goes
    destroy();
    EXPECT_NE(savedText().find("[Work]"), std::string::npos);
}

class LanguageMenuTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        addLanguage(u"Deutsch.lng",
                    LngFile(1031, "", "Scancel=Abbrechen\r\nSworktime=Arbeitszeit\r\n"
                                      "Shour=Std\r\nSmin=Min\r\n"));
        addLanguage(u"Русский.lng", LngFile(1049, "", "Scancel=Отмена\r\n"));
        addLanguage(u"notes.txt", "not a translation");
    }
    std::vector<std::u16string> languageCaptions() const {
        std::vector<std::u16string> v;
        for (int i = 0; i < form->mLanguage->Count(); ++i)
            v.push_back(form->mLanguage->Items(i)->Caption());
        return v;
    }
    ui::TMenuItem* languageItem(uint32_t id) const {
        for (int i = 0; i < form->mLanguage->Count(); ++i)
            if (uint32_t(form->mLanguage->Items(i)->Tag()) == id) return form->mLanguage->Items(i);
        return nullptr;
    }
    std::vector<bool> checks() const {
        std::vector<bool> v;
        for (int i = 0; i < form->mLanguage->Count(); ++i)
            v.push_back(form->mLanguage->Items(i)->Checked());
        return v;
    }
};

TEST_F(LanguageMenuTest, OneItemPerLanguageWithTheCurrentOneChecked) {
    start();
    ASSERT_EQ(form->mLanguage->Count(), lang::LanguageCount());
    ASSERT_EQ(form->mLanguage->Count(), 3);  // English built in, and the two files
    for (int i = 0; i < 3; ++i) {
        auto* item = form->mLanguage->Items(i);
        EXPECT_EQ(item->Caption(), lang::LanguageNameAt(i));
        EXPECT_EQ(uint32_t(item->Tag()), lang::LanguageIdAt(i));
        EXPECT_TRUE(item->Enabled());
        EXPECT_EQ(item->Checked(), lang::LanguageIdAt(i) == 1033u);
    }
}

TEST_F(LanguageMenuTest, PickedLanguageIsCheckedAtOnceAndSavedOnlyLater) {
    start();
    ui::TMenuItem* de = languageItem(1031);
    ASSERT_NE(de, nullptr);
    de->Click();
    EXPECT_TRUE(de->Checked());
    EXPECT_FALSE(languageItem(1033)->Checked());
    EXPECT_EQ(form->BitBtn2->Caption(), u"Abbrechen");
    // Duration labels are rebuilt in the new language at once.
    EXPECT_EQ(form->Label1->Caption(), u"Arbeitszeit: 0 Std 45 Min");
    EXPECT_TRUE(savedText().empty());

    // Cancel in the settings window does not store it either.
    openSettings([](TForm1& f) { f.BitBtn2->Click(); });
    EXPECT_TRUE(savedText().empty());
    // Exit does.
    destroy();
    EXPECT_NE(savedText().find("LanguageID=1031"), std::string::npos);

    // And the next start (a new process) comes back in it.
    lang::ResetLangManager();
    start();
    EXPECT_EQ(lang::CurrentLanguageId(), 1031u);
    EXPECT_TRUE(languageItem(1031)->Checked());
    EXPECT_EQ(form->BitBtn2->Caption(), u"Abbrechen");
}

TEST_F(LanguageMenuTest, BrokenTranslationIsReportedAndTheProgramGoesOn) {
    // A repeated property ID is an error in a translation file.
    addLanguage(u"Broken.lng", LngFile(1036, "1=a\r\n1=b\r\n", ""));
    start();
    ui::TMenuItem* broken = languageItem(1036);
    if (!broken) GTEST_SKIP() << "the broken file was not offered";
    broken->Click();
    EXPECT_GE(errorBoxes(), 1);
    // The marks still show exactly one current language.
    int checked = 0;
    for (bool c : checks()) checked += c ? 1 : 0;
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(languageItem(lang::CurrentLanguageId())->Checked());
    // And the cycle runs on.
    fp.advance(kMinute);
    EXPECT_EQ(trayText(), u"44");
}

}  // namespace
}  // namespace app::test
