// Loading and saving tovra.ini. Each value goes straight into the control that holds it, so
// the controls' own rules (labels, enabled states, borders) follow the loaded values.
#include <exception>
#include <memory>

#include "app/Unit1.h"
#include "inifile/SafeIniFiles.h"
#include "lang/DKLang.h"
#include "tray/TextTrayIcon.h"
#include "ui/ComCtrls.h"
#include "ui/StdCtrls.h"

namespace app {

namespace {

constexpr const char16_t* SettingsFileName = u"tovra.ini";

}  // namespace

void TForm1::LoadSettings() {
    // One bad value (or a translation that cannot be applied) must not leave the rest at
    // their defaults: those would overwrite the user's file at the next save. Every value is
    // read, the icon always shows, and the first error is reported at the end.
    std::exception_ptr firstError;
    auto part = [&](auto&& f) {
        try {
            f();
        } catch (...) {
            if (!firstError) firstError = std::current_exception();
        }
    };
    std::unique_ptr<inifile::TSafeIniFile> file;
    part([&] { file = std::make_unique<inifile::TSafeIniFile>(DataDir + SettingsFileName, true); });
    // Reads need the file; the tray set-up happens with or without it.
    auto read = [&](auto&& f) {
        if (file) part(f);
    };
    inifile::TSafeIniFile* ini = file.get();

    // The language first: translating the window resets the two messages, which the values
    // read below then replace.
    read([&] {
        lang::SetCurrentLanguageId(uint32_t(
            ini->ReadInteger(u"Params", u"LanguageID", int32_t(lang::CurrentLanguageId()))));
    });

    read([&] {
        TimeToWork = ini->ReadInteger(u"Work", u"Time", 45);
        TrackBar1->SetPosition(TimeToWork);
    });
    read([&] { Edit1->SetText(ini->ReadWideString(u"Work", u"Msg", lang::ConstantText(u"Sworkmsg"))); });
    read([&] { Edit2->SetText(ini->ReadWideString(u"Work", u"File", ExeDir + u"alarm.mp3")); });
    read([&] { StaticText1->SetColor(ini->ReadColor(u"Work", u"BgColor", StaticText1->Color())); });
    read([&] { ini->ReadFont(u"Work", u"Font", *StaticText1->Font()); });
    read([&] { CheckBox6->SetChecked(ini->ReadBool(u"Work", u"Border", true)); });

    part([&] {
        TextTrayIcon1->SetColor(StaticText1->Color());
        TextTrayIcon1->SetFont(StaticText1->Font());
        TextTrayIcon1->SetBorder(CheckBox6->Checked());
    });
    part([&] { TextTrayIcon1->SetIconVisible(true); });

    read([&] {
        TimeToRest = ini->ReadInteger(u"Rest", u"Time", 15);
        TrackBar2->SetPosition(TimeToRest);
    });
    read([&] { Edit3->SetText(ini->ReadWideString(u"Rest", u"Msg", lang::ConstantText(u"Srestmsg"))); });
    read([&] { Edit4->SetText(ini->ReadWideString(u"Rest", u"File", ExeDir + u"alarm.mp3")); });
    read([&] { StaticText2->SetColor(ini->ReadColor(u"Rest", u"BgColor", StaticText2->Color())); });
    read([&] { ini->ReadFont(u"Rest", u"Font", *StaticText2->Font()); });

    read([&] { CheckBox1->SetChecked(ini->ReadBool(u"Param", u"ExtPlayer", false)); });
    read([&] { CheckBox2->SetChecked(ini->ReadBool(u"Param", u"LoopSound", true)); });
    read([&] { CheckBox3->SetChecked(ini->ReadBool(u"Param", u"BaloonHints", false)); });
    read([&] { CheckBox4->SetChecked(ini->ReadBool(u"Param", u"MonitorPower", false)); });
    read([&] { CheckBox5->SetChecked(ini->ReadBool(u"Param", u"UserActivity", false)); });
    read([&] { SpinEdit1->SetValue(ini->ReadInteger(u"Param", u"UATime", 15)); });

    part([&] { UpdateStateNotify(); });
    if (firstError) std::rethrow_exception(firstError);
}

void TForm1::SaveSettings() {
    inifile::TSafeIniFile ini(DataDir + SettingsFileName, true);

    ini.WriteInteger(u"Work", u"Time", TimeToWork);
    ini.WriteWideString(u"Work", u"Msg", Edit1->Text());
    ini.WriteWideString(u"Work", u"File", Edit2->Text());
    ini.WriteColor(u"Work", u"BgColor", StaticText1->Color());
    ini.WriteFont(u"Work", u"Font", *StaticText1->Font());
    ini.WriteBool(u"Work", u"Border", CheckBox6->Checked());

    ini.WriteInteger(u"Rest", u"Time", TimeToRest);
    ini.WriteWideString(u"Rest", u"Msg", Edit3->Text());
    ini.WriteWideString(u"Rest", u"File", Edit4->Text());
    ini.WriteColor(u"Rest", u"BgColor", StaticText2->Color());
    ini.WriteFont(u"Rest", u"Font", *StaticText2->Font());

    ini.WriteBool(u"Param", u"ExtPlayer", CheckBox1->Checked());
    ini.WriteBool(u"Param", u"LoopSound", CheckBox2->Checked());
    ini.WriteBool(u"Param", u"BaloonHints", CheckBox3->Checked());
    ini.WriteBool(u"Param", u"MonitorPower", CheckBox4->Checked());
    ini.WriteBool(u"Param", u"UserActivity", CheckBox5->Checked());
    ini.WriteInteger(u"Param", u"UATime", SpinEdit1->Value());

    ini.WriteInteger(u"Params", u"LanguageID", int32_t(lang::CurrentLanguageId()));
}

}  // namespace app
