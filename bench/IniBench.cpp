// Throughput of the settings file on real files (temporary folder, every write flushed to
// disk) and on the in-memory fake, printed as a table.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "inifile/SafeIniFiles.h"
#include "tests/inifile/RealServices.h"
#include "ui/Text.h"

namespace {

using inifile::TSafeIniFile;

// The fake platform, with the real locks and files when `real`.
class BenchPlatform : public inifile::testing::RealServicesPlatform {
public:
    explicit BenchPlatform(bool real) : FReal(real) {}
    platform::NamedLocks& namedLocks() override {
        return FReal ? *locks : platform::fake::FakePlatform::namedLocks();
    }
    platform::ProfileFiles& profileFiles() override {
        return FReal ? *profiles : platform::fake::FakePlatform::profileFiles();
    }

private:
    bool FReal;
};

// Runs `op` for at least 300 ms (and at least 3 times); returns microseconds per call.
double timeIt(const std::function<void(int)>& op) {
    using clock = std::chrono::steady_clock;
    int n = 0;
    auto start = clock::now();
    do {
        op(n++);
    } while (n < 3 || clock::now() - start < std::chrono::milliseconds(300));
    return std::chrono::duration<double, std::micro>(clock::now() - start).count() / n;
}

void row(const char* what, const char* backend, double us) {
    std::printf("| %-38s | %-7s | %12.1f | %12.0f |\n", what, backend, us, 1e6 / us);
}

std::u16string key(int i) { return u"Key" + ui::IntToStr(i); }

// Every key of the settings; `variant` 0 and 1 differ in each value.
void saveSettings(TSafeIniFile& ini, ui::TFont& font, int variant) {
    const bool odd = variant % 2 != 0;
    font.SetSize(odd ? 8 : 7);
    for (const char16_t* s : {u"Work", u"Rest"}) {
        ini.WriteInteger(s, u"Time", odd ? 50 : 45);
        ini.WriteWideString(s, u"Msg", odd ? u"Time for a break: look away from the screen."
                                           : u"Back to work.");
        ini.WriteWideString(s, u"File", odd ? u"/usr/lib/qv-tovra/alarm.mp3" : u"/tmp/a.mp3");
        ini.WriteColor(s, u"BgColor", odd ? ui::clMoneyGreen : ui::clWhite);
        ini.WriteFont(s, u"Font", font);
        if (s[0] == u'W') ini.WriteBool(s, u"Border", odd);
    }
    for (const char16_t* k :
         {u"ExtPlayer", u"LoopSound", u"BaloonHints", u"MonitorPower", u"UserActivity"})
        ini.WriteBool(u"Param", k, odd);
    ini.WriteInteger(u"Param", u"UATime", odd ? 15 : 20);
    ini.WriteInteger(u"Params", u"LanguageID", odd ? 1033 : 1049);
}

void loadSettings(TSafeIniFile& ini, ui::TFont& font) {
    ini.ReadInteger(u"Params", u"LanguageID", 1033);
    for (const char16_t* s : {u"Work", u"Rest"}) {
        ini.ReadInteger(s, u"Time", 45);
        ini.ReadWideString(s, u"Msg", u"Work!");
        ini.ReadWideString(s, u"File", u"alarm.mp3");
        ini.ReadColor(s, u"BgColor", ui::clWhite);
        ini.ReadFont(s, u"Font", font);
        if (s[0] == u'W') ini.ReadBool(s, u"Border", true);
    }
    for (const char16_t* k :
         {u"ExtPlayer", u"LoopSound", u"BaloonHints", u"MonitorPower", u"UserActivity"})
        ini.ReadBool(u"Param", k, false);
    ini.ReadInteger(u"Param", u"UATime", 15);
}

void runAll(bool real, const std::string& dir) {
    BenchPlatform bp(real);
    const char* name = real ? "disk" : "memory";
    const std::u16string hundred = ui::FromUtf8(dir + "/hundred.ini");
    const std::u16string big = ui::FromUtf8(dir + "/big.ini");
    const std::u16string settings = ui::FromUtf8(dir + "/tovra.ini");
    {
        TSafeIniFile ini(hundred);
        for (int i = 0; i < 100; ++i) ini.WriteInteger(u"Data", key(i), i);
        row("ReadInteger, 100-key file", name,
            timeIt([&](int n) { ini.ReadInteger(u"Data", key(n * 37 % 100), 0); }));
        row("WriteInteger, 100-key file", name,
            timeIt([&](int n) { ini.WriteInteger(u"Data", key(n * 37 % 100), n); }));
    }
    {
        TSafeIniFile ini(big);
        ini.Lock();
        if (real) {
            // Built in one go: 5000 flushed writes would only measure the disk.
            std::string text = "[Big]\n";
            for (int i = 0; i < 5000; ++i) text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
            FILE* f = std::fopen(ui::ToUtf8(big).c_str(), "wb");
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
        } else {
            for (int i = 0; i < 5000; ++i) ini.WriteInteger(u"Big", key(i), i);
        }
        ini.UnLock();
        ui::TStringList keys;
        row("ReadSection, 5000 keys", name, timeIt([&](int) { ini.ReadSection(u"Big", keys); }));
        if (keys.Count() != 5000) std::printf("  (listed %d keys)\n", keys.Count());
    }
    {
        ui::TFont font;
        font.SetName(u"Small Fonts");
        font.SetHeight(-9);
        row("Settings save, every value changed", name, timeIt([&](int n) {
                TSafeIniFile ini(settings, true);
                saveSettings(ini, font, n);
            }));
        row("Settings save, nothing changed", name, timeIt([&](int) {
                TSafeIniFile ini(settings, true);
                saveSettings(ini, font, 0);
            }));
        row("Settings load (all 18 keys)", name, timeIt([&](int) {
                TSafeIniFile ini(settings, true);
                loadSettings(ini, font);
            }));
    }
}

}  // namespace

int main() {
    char tmpl[] = "/tmp/tovra-ini-bench-XXXXXX";
    if (!::mkdtemp(tmpl)) return 1;
    std::string dir = tmpl;
    std::string run = dir + "/run";
    ::mkdir(run.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
    std::printf("| %-38s | %-7s | %12s | %12s |\n", "operation", "files", "us per call", "calls per s");
    std::printf("|%s|%s|%s|%s|\n", std::string(40, '-').c_str(), std::string(9, '-').c_str(),
                std::string(14, '-').c_str(), std::string(14, '-').c_str());
    runAll(false, dir);
    runAll(true, dir);
    std::string cmd = "rm -rf '" + dir + "'";
    return std::system(cmd.c_str()) == 0 ? 0 : 1;
}
