// The main window itself: its stored description, the binding of components and handlers,
// and the process-wide state of the program.
#include "app/Unit1.h"
#include "app/ShowErrors.h"

#include <exception>
#include <map>

#include "lang/DKLang.h"
#include "platform/Platform.h"
#include "tray/TextTrayIcon.h"
#include "ui/Buttons.h"
#include "ui/ClassBuilder.h"
#include "ui/ComCtrls.h"
#include "ui/Dialogs.h"
#include "ui/Exceptions.h"
#include "ui/FormReader.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "ui/Text.h"
#include "ui/Timer.h"

namespace app {

std::u16string ExeDir;
std::u16string DataDir;
bool AudioAvailable = false;
bool AutostartAtStart = false;
bool WorkPhase = false;
int32_t IdleMinutes = 0;
bool MonitorWaitActive = false;

void ResetProcessState() {
    ExeDir.clear();
    DataDir.clear();
    AudioAvailable = false;
    AutostartAtStart = false;
    WorkPhase = false;
    IdleMinutes = 0;
    MonitorWaitActive = false;
}

namespace {

// The name of the embedded stored description of the window.
constexpr const char* FormResourceName = "TFORM1";

using NotifyHandler = void (TForm1::*)(ui::TObject*);

const std::map<std::u16string, NotifyHandler>& NotifyHandlers() {
    static const std::map<std::u16string, NotifyHandler> handlers = {
        {u"FormCreate", &TForm1::FormCreate},
        {u"FormDestroy", &TForm1::FormDestroy},
        {u"FormShow", &TForm1::FormShow},
        {u"Timer1Timer", &TForm1::Timer1Timer},
        {u"Timer2Timer", &TForm1::Timer2Timer},
        {u"TextTrayIcon1Click", &TForm1::TextTrayIcon1Click},
        {u"TextTrayIcon1DblClick", &TForm1::TextTrayIcon1DblClick},
        {u"TextTrayIcon1BalloonHintClick", &TForm1::TextTrayIcon1BalloonHintClick},
        {u"N1Click", &TForm1::N1Click},
        {u"N3Click", &TForm1::N3Click},
        {u"N10Click", &TForm1::N10Click},
        {u"N11Click", &TForm1::N11Click},
        {u"N12Click", &TForm1::N12Click},
        {u"N13Click", &TForm1::N13Click},
        {u"N14Click", &TForm1::N14Click},
        {u"TrackBar1Change", &TForm1::TrackBar1Change},
        {u"TrackBar2Change", &TForm1::TrackBar2Change},
        {u"SpeedButton1Click", &TForm1::SpeedButton1Click},
        {u"SpeedButton2Click", &TForm1::SpeedButton2Click},
        {u"SpeedButton3Click", &TForm1::SpeedButton3Click},
        {u"SpeedButton4Click", &TForm1::SpeedButton4Click},
        {u"Button1Click", &TForm1::Button1Click},
        {u"Button2Click", &TForm1::Button2Click},
        {u"CheckBox1Click", &TForm1::CheckBox1Click},
        {u"CheckBox5Click", &TForm1::CheckBox5Click},
        {u"CheckBox6Click", &TForm1::CheckBox6Click},
        {u"dklcMainLanguageChanged", &TForm1::dklcMainLanguageChanged},
    };
    return handlers;
}

// The plain notify event called `event` of `c`, or null when it has none by that name.
ui::TNotifyEvent* NotifySlot(ui::TComponent* c, std::u16string_view event) {
    auto is = [event](std::u16string_view name) { return ui::SameTextAscii(event, name); };
    if (auto* t = dynamic_cast<ui::TTimer*>(c)) return is(u"OnTimer") ? &t->OnTimer : nullptr;
    if (auto* m = dynamic_cast<ui::TMenuItem*>(c)) return is(u"OnClick") ? &m->OnClick : nullptr;
    if (auto* lc = dynamic_cast<lang::TDKLanguageController*>(c)) {
        if (is(u"OnLanguageChanged")) return &lc->OnLanguageChanged;
        if (is(u"OnLanguageChanging")) return &lc->OnLanguageChanging;
        return nullptr;
    }
    if (auto* ti = dynamic_cast<tray::TCoolTrayIcon*>(c)) {
        const std::pair<const char16_t*, ui::TNotifyEvent*> events[] = {
            {u"OnClick", &ti->OnClick},
            {u"OnDblClick", &ti->OnDblClick},
            {u"OnMouseEnter", &ti->OnMouseEnter},
            {u"OnMouseExit", &ti->OnMouseExit},
            {u"OnMinimizeToTray", &ti->OnMinimizeToTray},
            {u"OnBalloonHintShow", &ti->OnBalloonHintShow},
            {u"OnBalloonHintHide", &ti->OnBalloonHintHide},
            {u"OnBalloonHintTimeout", &ti->OnBalloonHintTimeout},
            {u"OnBalloonHintClick", &ti->OnBalloonHintClick},
        };
        for (auto& [name, slot] : events)
            if (is(name)) return slot;
        return nullptr;
    }
    if (auto* f = dynamic_cast<ui::TForm*>(c)) {
        if (is(u"OnCreate")) return &f->OnCreate;
        if (is(u"OnDestroy")) return &f->OnDestroy;
        if (is(u"OnShow")) return &f->OnShow;
        if (is(u"OnHide")) return &f->OnHide;
        return nullptr;
    }
    if (is(u"OnChange")) {
        if (auto* e = dynamic_cast<ui::TEdit*>(c)) return &e->OnChange;
        if (auto* tb = dynamic_cast<ui::TTrackBar*>(c)) return &tb->OnChange;
        if (auto* se = dynamic_cast<ui::TSpinEdit*>(c)) return &se->OnChange;
        return nullptr;
    }
    if (auto* ctl = dynamic_cast<ui::TControl*>(c)) return is(u"OnClick") ? &ctl->OnClick : nullptr;
    return nullptr;
}

// Points `field` at the component of the description called `name`; a description without
// it, or with another class under that name, is a broken build.
template <class T>
void BindField(TForm1& f, T*& field, const char16_t* name) {
    field = dynamic_cast<T*>(f.FindComponent(name));
    if (!field) throw ui::EReadError(u"Component \"%s\" missing from the window", {name});
}

// The classes of the window's components beyond the standard controls.
void RegisterWindowClasses() {
    static const bool done = [] {
        for (const ui::TClassInfo* ci :
             {&TForm1::StaticClassInfo(), &tray::TTextTrayIcon::StaticClassInfo(),
              &ui::TPopupMenu::StaticClassInfo(), &ui::TMenuItem::StaticClassInfo(),
              &ui::TImageList::StaticClassInfo(),
              &lang::TDKLanguageController::StaticClassInfo()})
            ui::RegisterClass(*ci);
        return true;
    }();
    (void)done;
}

}  // namespace

const ui::TClassInfo& TForm1::StaticClassInfo() {
    static const ui::TClassInfo ci =
        ui::TClassBuilder<TForm1>(u"TForm1", &ui::TForm::StaticClassInfo()).Build();
    return ci;
}

TForm1::TForm1(ui::TComponent* AOwner) : ui::TForm(AOwner) {
    RegisterWindowClasses();
    ui::ReadComponentRes(*this, FormResourceName);

    BindField(*this, GroupBox1, u"GroupBox1");
    BindField(*this, Label1, u"Label1");
    BindField(*this, TrackBar1, u"TrackBar1");
    BindField(*this, Label2, u"Label2");
    BindField(*this, Edit1, u"Edit1");
    BindField(*this, SpeedButton1, u"SpeedButton1");
    BindField(*this, Label3, u"Label3");
    BindField(*this, Edit2, u"Edit2");
    BindField(*this, SpeedButton2, u"SpeedButton2");
    BindField(*this, StaticText1, u"StaticText1");
    BindField(*this, Button1, u"Button1");
    BindField(*this, Button2, u"Button2");
    BindField(*this, CheckBox6, u"CheckBox6");
    BindField(*this, GroupBox2, u"GroupBox2");
    BindField(*this, Label4, u"Label4");
    BindField(*this, TrackBar2, u"TrackBar2");
    BindField(*this, Label5, u"Label5");
    BindField(*this, Edit3, u"Edit3");
    BindField(*this, SpeedButton3, u"SpeedButton3");
    BindField(*this, Label6, u"Label6");
    BindField(*this, Edit4, u"Edit4");
    BindField(*this, SpeedButton4, u"SpeedButton4");
    BindField(*this, StaticText2, u"StaticText2");
    BindField(*this, Button3, u"Button3");
    BindField(*this, Button4, u"Button4");
    BindField(*this, CheckBox1, u"CheckBox1");
    BindField(*this, CheckBox2, u"CheckBox2");
    BindField(*this, CheckBox3, u"CheckBox3");
    BindField(*this, CheckBox4, u"CheckBox4");
    BindField(*this, CheckBox5, u"CheckBox5");
    BindField(*this, Label7, u"Label7");
    BindField(*this, SpinEdit1, u"SpinEdit1");
    BindField(*this, BitBtn1, u"BitBtn1");
    BindField(*this, BitBtn2, u"BitBtn2");
    BindField(*this, Timer1, u"Timer1");
    BindField(*this, Timer2, u"Timer2");
    BindField(*this, TextTrayIcon1, u"TextTrayIcon1");
    BindField(*this, PopupMenu1, u"PopupMenu1");
    BindField(*this, N13, u"N13");
    BindField(*this, N12, u"N12");
    BindField(*this, N11, u"N11");
    BindField(*this, N10, u"N10");
    BindField(*this, N14, u"N14");
    BindField(*this, N9, u"N9");
    BindField(*this, N8, u"N8");
    BindField(*this, N7, u"N7");
    BindField(*this, mLanguage, u"mLanguage");
    BindField(*this, N5, u"N5");
    BindField(*this, N6, u"N6");
    BindField(*this, N4, u"N4");
    BindField(*this, N3, u"N3");
    BindField(*this, N2, u"N2");
    BindField(*this, N1, u"N1");
    BindField(*this, ImageList1, u"ImageList1");
    BindField(*this, OpenDialog1, u"OpenDialog1");
    BindField(*this, ColorDialog1, u"ColorDialog1");
    BindField(*this, FontDialog1, u"FontDialog1");
    BindField(*this, dklcMain, u"dklcMain");

    // The whole description is read and the language controller has its defaults: start.
    DoCreate();
}

TForm1::~TForm1() {
    DoDestroy();
    // The components go while the window is whole; their events may still reach it.
    DestroyComponents();
}

bool TForm1::BindEvent(ui::TComponent* AComponent, const std::u16string& EventName,
                       const std::u16string& HandlerName) {
    if (HandlerName == u"TextTrayIcon1MouseMove") {
        auto* ti = dynamic_cast<tray::TCoolTrayIcon*>(AComponent);
        if (!ti || !ui::SameTextAscii(EventName, u"OnMouseMove")) return false;
        ti->OnMouseMove = [this](ui::TObject* Sender, tray::TShiftState Shift, int X, int Y) {
            ShowErrors([&] { TextTrayIcon1MouseMove(Sender, Shift, X, Y); });
        };
        return true;
    }
    if (HandlerName == u"TextTrayIcon1Startup") {
        auto* ti = dynamic_cast<tray::TCoolTrayIcon*>(AComponent);
        if (!ti || !ui::SameTextAscii(EventName, u"OnStartup")) return false;
        ti->OnStartup = [this](ui::TObject* Sender, bool& ShowMainForm) {
            ShowErrors([&] { TextTrayIcon1Startup(Sender, ShowMainForm); });
        };
        return true;
    }
    const auto& handlers = NotifyHandlers();
    auto it = handlers.find(HandlerName);
    if (it == handlers.end()) return false;
    ui::TNotifyEvent* slot = NotifySlot(AComponent, EventName);
    if (!slot) return false;
    NotifyHandler h = it->second;
    *slot = [this, h](ui::TObject* Sender) { ShowErrors([&] { (this->*h)(Sender); }); };
    return true;
}

void TForm1::TextTrayIcon1Startup(ui::TObject*, bool& ShowMainForm) {
    // The program lives in the tray; the window is the settings window, shown on demand.
    ShowMainForm = false;
}

void TForm1::FormShow(ui::TObject*) { SetActiveControl(BitBtn1); }

void TForm1::N1Click(ui::TObject*) { Close(); }

}  // namespace app
