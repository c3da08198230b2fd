#pragma once
// The main window: hidden owner of the tick and blink timers, the tray icon, its menu and the
// language controller, and at the same time the settings window shown from the tray.
#include <cstdint>
#include <string>

#include "ui/Classes.h"
#include "ui/Color.h"
#include "ui/Forms.h"

namespace ui {
class TTimer;
class TFont;
class TPopupMenu;
class TMenuItem;
class TImageList;
class TOpenDialog;
class TColorDialog;
class TFontDialog;
class TGroupBox;
class TLabel;
class TTrackBar;
class TEdit;
class TSpeedButton;
class TStaticText;
class TButton;
class TCheckBox;
class TSpinEdit;
class TBitBtn;
}  // namespace ui
namespace tray {
class TTextTrayIcon;
}
namespace lang {
class TDKLanguageController;
}

namespace app {

// Process-wide state of the program, zero, false or empty at start. One place, so tests can
// put it back with ResetProcessState().
extern std::u16string ExeDir;   // folder of the executable, with a trailing separator
extern std::u16string DataDir;  // folder of the settings file, with a trailing separator
extern bool AudioAvailable;     // the audio library started; nothing is played through it otherwise
extern bool AutostartAtStart;   // the autostart entry existed at start
extern bool WorkPhase;          // true during work, false during rest and before the first tick
extern int32_t IdleMinutes;     // consecutive idle minute ticks during work
extern bool MonitorWaitActive;  // inside the 3 s wait before the monitor goes off
void ResetProcessState();

// The name of the single-instance lock.
inline constexpr const char16_t* SingleInstanceLockName =
    u"{BF1F3DE6-D3DF-4554-A223-D1F5AD7BB2B6}";
inline constexpr const char16_t* ApplicationTitle = u"QV Tovra";
// CSIDL_APPDATA: the user's application-data folder.
inline constexpr int CSIDL_APPDATA = 26;

class TForm1 : public ui::TForm {
    TOVRA_CLASS(TForm1)
public:
    // Reads the window's stored description (every component below, their properties and
    // event bindings), then runs FormCreate.
    explicit TForm1(ui::TComponent* AOwner);
    // Runs FormDestroy, then frees the components.
    ~TForm1() override;

    // Components, in the order the description creates them.
    ui::TGroupBox* GroupBox1 = nullptr;
    ui::TLabel* Label1 = nullptr;
    ui::TTrackBar* TrackBar1 = nullptr;
    ui::TLabel* Label2 = nullptr;
    ui::TEdit* Edit1 = nullptr;
    ui::TSpeedButton* SpeedButton1 = nullptr;
    ui::TLabel* Label3 = nullptr;
    ui::TEdit* Edit2 = nullptr;
    ui::TSpeedButton* SpeedButton2 = nullptr;
    ui::TStaticText* StaticText1 = nullptr;
    ui::TButton* Button1 = nullptr;
    ui::TButton* Button2 = nullptr;
    ui::TCheckBox* CheckBox6 = nullptr;
    ui::TGroupBox* GroupBox2 = nullptr;
    ui::TLabel* Label4 = nullptr;
    ui::TTrackBar* TrackBar2 = nullptr;
    ui::TLabel* Label5 = nullptr;
    ui::TEdit* Edit3 = nullptr;
    ui::TSpeedButton* SpeedButton3 = nullptr;
    ui::TLabel* Label6 = nullptr;
    ui::TEdit* Edit4 = nullptr;
    ui::TSpeedButton* SpeedButton4 = nullptr;
    ui::TStaticText* StaticText2 = nullptr;
    ui::TButton* Button3 = nullptr;
    ui::TButton* Button4 = nullptr;
    ui::TCheckBox* CheckBox1 = nullptr;
    ui::TCheckBox* CheckBox2 = nullptr;
    ui::TCheckBox* CheckBox3 = nullptr;
    ui::TCheckBox* CheckBox4 = nullptr;
    ui::TCheckBox* CheckBox5 = nullptr;
    ui::TLabel* Label7 = nullptr;
    ui::TSpinEdit* SpinEdit1 = nullptr;
    ui::TBitBtn* BitBtn1 = nullptr;
    ui::TBitBtn* BitBtn2 = nullptr;
    ui::TTimer* Timer1 = nullptr;  // tick timer
    ui::TTimer* Timer2 = nullptr;  // blink timer
    tray::TTextTrayIcon* TextTrayIcon1 = nullptr;
    ui::TPopupMenu* PopupMenu1 = nullptr;
    ui::TMenuItem* N13 = nullptr;  // Help
    ui::TMenuItem* N12 = nullptr;  // About program
    ui::TMenuItem* N11 = nullptr;  // Program website
    ui::TMenuItem* N10 = nullptr;  // Email Us
    ui::TMenuItem* N14 = nullptr;  // Donate
    ui::TMenuItem* N9 = nullptr;
    ui::TMenuItem* N8 = nullptr;  // Starting with Windows (check item)
    ui::TMenuItem* N7 = nullptr;
    ui::TMenuItem* mLanguage = nullptr;
    ui::TMenuItem* N5 = nullptr;
    ui::TMenuItem* N6 = nullptr;  // Settings...
    ui::TMenuItem* N4 = nullptr;
    ui::TMenuItem* N3 = nullptr;  // Pause (check item; its check mark is the pause state)
    ui::TMenuItem* N2 = nullptr;
    ui::TMenuItem* N1 = nullptr;  // Exit
    ui::TImageList* ImageList1 = nullptr;
    ui::TOpenDialog* OpenDialog1 = nullptr;
    ui::TColorDialog* ColorDialog1 = nullptr;
    ui::TFontDialog* FontDialog1 = nullptr;
    lang::TDKLanguageController* dklcMain = nullptr;

    // Fields, all zero when the window is created.
    uint32_t strs = 0;         // the audio stream last created
    int32_t TimeLeft = 0;      // minutes left in the current period
    int32_t TimeToWork = 0;    // minutes
    int32_t TimeToRest = 0;    // minutes
    bool BalloonPending = false;  // an alert balloon is shown; the switch waits for its event

    // --- app/Engine.cpp: the work/rest cycle ---
    void Timer1Timer(ui::TObject* Sender);
    void Timer2Timer(ui::TObject* Sender);
    void TextTrayIcon1BalloonHintClick(ui::TObject* Sender);
    void TextTrayIcon1Click(ui::TObject* Sender);
    void N3Click(ui::TObject* Sender);
    void ApplyPauseState();
    // Waits `sec` seconds in 100 ms steps, handling messages between them.
    void wait(int32_t sec);
    // Whole seconds since the last keyboard or mouse input.
    uint32_t IdleSeconds();
    static ui::TColor InvertColor(ui::TColor c);
    // The face of the tray icon for `minutes`: "99", "1h", "8h".
    static std::u16string TrayText(int32_t minutes);
    // The tray colour and font of the current period (StaticText1 in work, else StaticText2).
    void ApplyPeriodLook();

    // --- app/Sound.cpp: the alert sound ---
    void PlayMusic(const std::u16string& filename, bool loop);
    void StopMusic();
    // Sounds `file` by the route its name and the external-player option call for.
    void PlayAlertSound(const std::u16string& file);

    // --- app/TrayMenu.cpp: hint, texts and menu commands ---
    std::u16string MinToStr(int32_t minutes);
    static std::u16string ZeroPad(int32_t value, int32_t width);
    std::u16string GetVersionText();
    void TextTrayIcon1MouseMove(ui::TObject* Sender, uint32_t Shift, int32_t X, int32_t Y);
    void N13Click(ui::TObject* Sender);  // Help
    void N12Click(ui::TObject* Sender);  // About program
    void N11Click(ui::TObject* Sender);  // Program website
    void N10Click(ui::TObject* Sender);  // Email Us
    void N14Click(ui::TObject* Sender);  // Donate
    void BuildLanguageMenu();
    void UpdateStateNotify();
    void LanguageItemClick(ui::TObject* Sender);

    // --- app/SettingsWindow.cpp: the settings window ---
    void TextTrayIcon1DblClick(ui::TObject* Sender);
    void TrackBar1Change(ui::TObject* Sender);
    void TrackBar2Change(ui::TObject* Sender);
    void SpeedButton1Click(ui::TObject* Sender);
    void SpeedButton2Click(ui::TObject* Sender);
    void SpeedButton3Click(ui::TObject* Sender);
    void SpeedButton4Click(ui::TObject* Sender);
    void Button1Click(ui::TObject* Sender);  // Button1 and Button3
    void Button2Click(ui::TObject* Sender);  // Button2 and Button4
    void CheckBox1Click(ui::TObject* Sender);
    void CheckBox5Click(ui::TObject* Sender);
    void CheckBox6Click(ui::TObject* Sender);
    void dklcMainLanguageChanged(ui::TObject* Sender);

    // --- app/Startup.cpp: start-up and shut-down ---
    void FormCreate(ui::TObject* Sender);
    void FormDestroy(ui::TObject* Sender);
    std::u16string GetSpecialFolderPath(int csidl);
    // A termination signal or the session's end: leave the way "Exit" does.
    void EndRequested();

    // --- app/SettingsFile.cpp: tovra.ini ---
    void LoadSettings();
    void SaveSettings();

    // --- app/Unit1.cpp: the window itself ---
    void TextTrayIcon1Startup(ui::TObject* Sender, bool& ShowMainForm);
    void FormShow(ui::TObject* Sender);
    void N1Click(ui::TObject* Sender);  // Exit
    // Binds the handlers named in the stored description to their components' events.
    bool BindEvent(ui::TComponent* AComponent, const std::u16string& EventName,
                   const std::u16string& HandlerName) override;
};

}  // namespace app
