// The main window's own costs: a whole settings load and save over the real Linux file
// services (a temporary folder, every write flushed to disk), and a language switch of the
// window read from its stored description. Prints a table of times per operation.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/Unit1.h"
#include "lang/DKLang.h"
#include "platform/linux/Services.h"
#include "tests/inifile/RealServices.h"
#include "ui/ComCtrls.h"
#include "ui/Menus.h"
#include "ui/Font.h"
#include "ui/StdCtrls.h"
#include "ui/Text.h"

namespace {

// The fake desktop with the real file services: settings file, locks, folders, translations.
class BenchPlatform : public inifile::testing::RealServicesPlatform {
public:
    std::unique_ptr<platform::FileSystem> files = platform::linux_::makeFileSystem();
    platform::FileSystem& fileSystem() override { return *files; }
};

// Microseconds per call: `prepare` (not timed) then `op`, until 400 ms of `op` and at least 5
// calls; the median and the fastest call.
struct Figures {
    double median, fastest;
    int calls;
};
Figures measure(const std::function<void(int)>& prepare, const std::function<void(int)>& op) {
    using clock = std::chrono::steady_clock;
    std::vector<double> us;
    double spent = 0;
    for (int n = 0; n < 5 || (spent < 400000 && n < 2000); ++n) {
        prepare(n);
        auto t0 = clock::now();
        op(n);
        double d = std::chrono::duration<double, std::micro>(clock::now() - t0).count();
        us.push_back(d);
        spent += d;
    }
    std::sort(us.begin(), us.end());
    return {us[us.size() / 2], us.front(), int(us.size())};
}

void row(const char* what, const Figures& f) {
    std::printf("| %-46s | %10.1f | %10.1f | %6d |\n", what, f.median, f.fastest, f.calls);
}

// Every setting that the file holds, in one of two variants that differ in each value.
void setAll(app::TForm1& f, int variant) {
    const bool odd = variant % 2 != 0;
    f.TimeToWork = odd ? 50 : 45;
    f.TrackBar1->SetPosition(f.TimeToWork);
    f.Edit1->SetText(odd ? u"Time for a break: look away from the screen." : u"Work!");
    f.Edit2->SetText(odd ? u"/usr/lib/qv-tovra/alarm.mp3" : u"/tmp/other.mp3");
    f.StaticText1->SetColor(odd ? ui::clMoneyGreen : ui::clWhite);
    f.StaticText1->Font()->SetSize(odd ? 8 : 7);
    f.CheckBox6->SetChecked(odd);
    f.TimeToRest = odd ? 10 : 15;
    f.TrackBar2->SetPosition(f.TimeToRest);
    f.Edit3->SetText(odd ? u"Rest! Stand up and walk." : u"Rest!");
    f.Edit4->SetText(odd ? u"/usr/lib/qv-tovra/alarm.mp3" : u"/tmp/rest.mp3");
    f.StaticText2->SetColor(odd ? ui::clSkyBlue : ui::clCream);
    f.StaticText2->Font()->SetStyle(odd ? ui::TFontStyles(ui::fsBold) : ui::TFontStyles(0));
    for (ui::TCheckBox* c : {f.CheckBox1, f.CheckBox2, f.CheckBox3, f.CheckBox4, f.CheckBox5})
        c->SetChecked(odd);
    f.SpinEdit1->SetValue(odd ? 20 : 15);
}

}  // namespace

int main() {
    char tmpl[] = "/tmp/tovra-app-bench-XXXXXX";
    if (!::mkdtemp(tmpl)) return 1;
    const std::string dir = tmpl;
    for (const char* sub : {"/run", "/config"}) ::mkdir((dir + sub).c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", (dir + "/run").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
    ::setenv("HOME", dir.c_str(), 1);

    int status = 0;
    {
        BenchPlatform bp;
        app::ResetProcessState();
        // Reads the window's description and starts it, with the load of a missing file.
        auto form = std::make_unique<app::TForm1>(nullptr);
        const std::u16string german = ui::FromUtf8(TOVRA_LANG_DIR "/German.lng");
        if (!lang::LangManager().RegisterTranslationFile(german)) {
            std::printf("app_bench: %s is no translation\n", TOVRA_LANG_DIR "/German.lng");
            status = 1;
        }
        std::printf("| %-46s | %10s | %10s | %6s |\n", "operation (main window)", "median us",
                    "fastest us", "calls");
        std::printf("|%s|%s|%s|%s|\n", std::string(48, '-').c_str(), std::string(12, '-').c_str(),
                    std::string(12, '-').c_str(), std::string(8, '-').c_str());
        auto none = [](int) {};
        row("SaveSettings, every value changed",
            measure([&](int n) { setAll(*form, n); }, [&](int) { form->SaveSettings(); }));
        setAll(*form, 0);
        row("SaveSettings, nothing changed", measure(none, [&](int) { form->SaveSettings(); }));
        row("LoadSettings, a full file", measure(none, [&](int) { form->LoadSettings(); }));
        if (status == 0) {
            // A switch that changed nothing would time nothing.
            lang::SetCurrentLanguageId(1031);
            if (form->N1->Caption() == u"Exit") {
                std::printf("app_bench: the German translation was not applied\n");
                status = 1;
            }
        }
        if (status == 0) {
            row("Language switch, English to German",
                measure([&](int) { lang::SetCurrentLanguageId(1033); },
                        [&](int) { lang::SetCurrentLanguageId(1031); }));
            row("Language switch, German to English",
                measure([&](int) { lang::SetCurrentLanguageId(1031); },
                        [&](int) { lang::SetCurrentLanguageId(1033); }));
            if (form->Caption() != u"QV Tovra" || lang::CurrentLanguageId() != 1033) {
                std::printf("app_bench: the window did not come back to English\n");
                status = 1;
            }
        }
        form.reset();
        lang::ResetLangManager();
        app::ResetProcessState();
    }
    std::string cmd = "rm -rf '" + dir + "'";
    if (std::system(cmd.c_str()) != 0) status = 1;
    return status;
}
