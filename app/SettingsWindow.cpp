// The settings window: duration labels, the rules between controls, the pickers, and what
// opening it, OK and Cancel do.
#include <memory>

#include "app/Unit1.h"
#include "lang/DKLang.h"
#include "tray/TextTrayIcon.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/Dialogs.h"
#include "ui/Font.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "ui/Timer.h"

namespace app {

namespace {

// What Cancel puts back: every control the window edits, besides the two trackbars, which go
// back to the lengths in force.
struct SettingsSnapshot {
    int32_t SpinValue = 0;
    std::u16string Texts[4];
    ui::TColor Colors[2] = {};
    std::unique_ptr<ui::TFont> Fonts[2];
    bool Checks[6] = {};
};

}  // namespace

void TForm1::TextTrayIcon1DblClick(ui::TObject*) {
    // An alert or a pause is showing: the window stays closed.
    if (Timer2->Enabled() || N3->Checked()) return;
    TextTrayIcon1->SetEnabled(false);
    Timer1->SetEnabled(false);

    // However the window ends (also by an error while saving), the cycle goes on.
    struct Resume {
        TForm1* f;
        ~Resume() {
            f->TextTrayIcon1->SetEnabled(true);
            f->Timer1->SetEnabled(true);
        }
    } resume{this};

    ui::TEdit* edits[4] = {Edit1, Edit2, Edit3, Edit4};
    ui::TStaticText* previews[2] = {StaticText1, StaticText2};
    ui::TCheckBox* checks[6] = {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6};
    SettingsSnapshot snap;
    snap.SpinValue = SpinEdit1->Value();
    for (int i = 0; i < 4; ++i) snap.Texts[i] = edits[i]->Text();
    for (int i = 0; i < 2; ++i) {
        snap.Colors[i] = previews[i]->Color();
        snap.Fonts[i] = std::make_unique<ui::TFont>();
        snap.Fonts[i]->Assign(*previews[i]->Font());
    }
    for (int i = 0; i < 6; ++i) snap.Checks[i] = checks[i]->Checked();

    if (ShowModal() == ui::mrOk) {
        WorkPhase = true;
        Timer1->SetInterval(100);  // the next tick starts a fresh work period
        TimeToWork = TrackBar1->Position();
        TimeLeft = TimeToWork;
        TimeToRest = TrackBar2->Position();
        TextTrayIcon1->SetColor(StaticText1->Color());
        TextTrayIcon1->SetFont(StaticText1->Font());
        TextTrayIcon1->SetBorder(StaticText1->BorderStyle() == ui::sbsSingle);
        SaveSettings();
    } else {
        TrackBar1->SetPosition(TimeToWork);
        TrackBar2->SetPosition(TimeToRest);
        SpinEdit1->SetValue(snap.SpinValue);
        for (int i = 0; i < 4; ++i) edits[i]->SetText(snap.Texts[i]);
        for (int i = 0; i < 2; ++i) {
            previews[i]->SetColor(snap.Colors[i]);
            previews[i]->SetFont(*snap.Fonts[i]);
        }
        for (int i = 0; i < 6; ++i) checks[i]->SetChecked(snap.Checks[i]);
    }
}

void TForm1::TrackBar1Change(ui::TObject*) {
    Label1->SetCaption(lang::ConstantText(u"Sworktime") + u": " + MinToStr(TrackBar1->Position()));
}

void TForm1::TrackBar2Change(ui::TObject*) {
    Label4->SetCaption(lang::ConstantText(u"Sresttime") + u": " + MinToStr(TrackBar2->Position()));
}

void TForm1::SpeedButton1Click(ui::TObject*) { Edit1->SetText(u""); }

void TForm1::SpeedButton3Click(ui::TObject*) { Edit3->SetText(u""); }

void TForm1::SpeedButton2Click(ui::TObject*) {
    if (OpenDialog1->Execute()) Edit2->SetText(OpenDialog1->FileName());
}

void TForm1::SpeedButton4Click(ui::TObject*) {
    if (OpenDialog1->Execute()) Edit4->SetText(OpenDialog1->FileName());
}

void TForm1::Button1Click(ui::TObject* Sender) {
    ui::TStaticText* target = Sender == Button1 ? StaticText1 : StaticText2;
    ColorDialog1->SetColor(target->Color());
    if (ColorDialog1->Execute()) target->SetColor(ColorDialog1->Color());
}

void TForm1::Button2Click(ui::TObject* Sender) {
    ui::TStaticText* target = Sender == Button2 ? StaticText1 : StaticText2;
    FontDialog1->SetFont(*target->Font());
    if (FontDialog1->Execute()) target->SetFont(*FontDialog1->Font());
}

void TForm1::CheckBox1Click(ui::TObject*) { CheckBox2->SetEnabled(!CheckBox1->Checked()); }

void TForm1::CheckBox5Click(ui::TObject*) {
    Label7->SetEnabled(CheckBox5->Checked());
    SpinEdit1->SetEnabled(CheckBox5->Checked());
}

void TForm1::CheckBox6Click(ui::TObject*) {
    ui::TStaticBorderStyle b = CheckBox6->Checked() ? ui::sbsSingle : ui::sbsNone;
    StaticText1->SetBorderStyle(b);
    StaticText2->SetBorderStyle(b);
}

void TForm1::dklcMainLanguageChanged(ui::TObject*) {
    // A language already current when the window is read is applied before the components
    // are bound to their fields.
    if (!BitBtn2 || !TrackBar1 || !TrackBar2 || !Label1 || !Label4) return;
    BitBtn2->SetCaption(lang::ConstantText(u"Scancel"));
    // The controller has just put the bare "Time for work:" captions back; give them their
    // durations again in the new language at once rather than at the next trackbar move.
    TrackBar1Change(this);
    TrackBar2Change(this);
}

}  // namespace app
