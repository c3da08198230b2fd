// Tray hint, texts and menu commands.
#include <cstdlib>
#include <exception>

#include "app/AppTexts.h"
#include "app/ShowErrors.h"
#include "app/Unit1.h"
#include "lang/DKLang.h"
#include "platform/Platform.h"
#include "tray/TextTrayIcon.h"
#include "ui/Exceptions.h"
#include "ui/Menus.h"
#include "ui/Text.h"
#include "ui/Timer.h"

namespace app {

std::u16string TForm1::MinToStr(int32_t minutes) {
    // Only a length below 0 in the settings file gets here negative; 64 bits so that the
    // smallest 32-bit value has an absolute value too.
    if (minutes < 0) {
        int64_t a = -int64_t(minutes);
        return u"-" + ui::IntToStr(a / 60) + u" " + lang::ConstantText(u"Shour") + u" " +
               ZeroPad(int32_t(a % 60), 2) + u" " + lang::ConstantText(u"Smin");
    }
    return ui::IntToStr(minutes / 60) + u" " + lang::ConstantText(u"Shour") + u" " +
           ZeroPad(minutes % 60, 2) + u" " + lang::ConstantText(u"Smin");
}

std::u16string TForm1::ZeroPad(int32_t value, int32_t width) {
    std::u16string s;
    uint32_t v = value < 0 ? 0u : uint32_t(value);
    do {
        s.insert(s.begin(), char16_t(u'0' + v % 10));
        v /= 10;
    } while (int32_t(s.size()) < width || v != 0);
    return s;
}

std::u16string TForm1::GetVersionText() {
    auto v = platform::thePlatform().version().FileVersion();
    if (!v) return {};
    std::u16string s = ui::Format(u"%d.%d.%d.%d", {int((*v)[0]), int((*v)[1]), int((*v)[2]),
                                                    int((*v)[3])});
    if (s.size() > 4) {
        for (int pass = 0; pass < 2; ++pass)
            if (s.size() >= 2 && s.compare(s.size() - 2, 2, u".0") == 0) s.resize(s.size() - 2);
    }
    return s;
}

void TForm1::TextTrayIcon1MouseMove(ui::TObject*, uint32_t, int32_t, int32_t) {
    std::u16string hint = std::u16string(ApplicationTitle) + u" - ";
    if (Timer1->Enabled())
        hint += lang::ConstantText(WorkPhase ? u"Sworktimes" : u"Sresttimes") + u" " +
                MinToStr(TimeLeft);
    else
        hint += lang::ConstantText(u"Spauset");
    TextTrayIcon1->SetHint(hint);
}

void TForm1::N13Click(ui::TObject*) {
    auto& p = platform::thePlatform();
    std::u16string help = ExeDir + u"help.chm";
    if (p.fileSystem().FileExists(help)) p.shell().ShellExecute(help, platform::SW_SHOWMAXIMIZED);
}

void TForm1::N12Click(ui::TObject*) {
    Timer1->SetEnabled(false);
    TextTrayIcon1->SetEnabled(false);
    // Back on however the box ends; the minute in progress then starts again from zero.
    struct Resume {
        TForm1* f;
        ~Resume() {
            f->Timer1->SetEnabled(true);
            f->TextTrayIcon1->SetEnabled(true);
        }
    } resume{this};
    std::u16string text = u"\"" + std::u16string(ApplicationTitle) + u" v." + GetVersionText() +
                          u"\"\n" + lang::ConstantText(u"Spinfo") + u"\n\n" + AboutLegalLine +
                          u"\n\n" + AboutCredits + u"\n\n" + Website + u"\n" + SupportEmail;
    platform::thePlatform().messageBoxes().MessageBox(
        nullptr, text, u" About", platform::MB_TOPMOST | platform::MB_ICONINFORMATION);
}

void TForm1::N11Click(ui::TObject*) {
    platform::thePlatform().shell().ShellExecute(Website, platform::SW_SHOWNORMAL);
}

void TForm1::N10Click(ui::TObject*) {
    platform::thePlatform().shell().ShellExecute(
        u"mailto:" + std::u16string(SupportEmail) + u"?subject=QV%20Tovra%20" + GetVersionText(),
        platform::SW_SHOWNORMAL);
}

void TForm1::N14Click(ui::TObject*) {
    platform::thePlatform().shell().ShellExecute(std::u16string(Website) + u"donate/",
                                                 platform::SW_SHOWNORMAL);
}

void TForm1::BuildLanguageMenu() {
    int n = lang::LanguageCount();
    for (int i = 0; i < n; ++i) {
        auto* item = new ui::TMenuItem(this);
        item->SetCaption(lang::LanguageNameAt(i));
        item->SetShortCut(0);
        item->SetChecked(false);
        item->SetEnabled(true);
        item->SetTag(int32_t(lang::LanguageIdAt(i)));
        item->OnClick = [this](ui::TObject* Sender) {
            ShowErrors([&] { LanguageItemClick(Sender); });
        };
        mLanguage->Add(item);
    }
}

void TForm1::UpdateStateNotify() {
    uint32_t current = lang::CurrentLanguageId();
    for (int i = 0; i < mLanguage->Count(); ++i) {
        ui::TMenuItem* item = mLanguage->Items(i);
        item->SetChecked(uint32_t(item->Tag()) == current);
    }
}

void TForm1::LanguageItemClick(ui::TObject* Sender) {
    auto* item = dynamic_cast<ui::TComponent*>(Sender);
    if (!item) return;
    try {
        lang::SetCurrentLanguageId(uint32_t(item->Tag()));
    } catch (...) {
        // The marks follow whatever language is current after a failed switch.
        UpdateStateNotify();
        throw;
    }
    UpdateStateNotify();
}

}  // namespace app
