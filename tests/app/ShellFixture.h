#pragma once
// The program around the cycle: a fake machine (executable folder, configuration folder,
// settings file, translation files, autostart entries) set up before the main window is made.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "app/Unit1.h"
#include "lang/DKLang.h"
#include "platform/fake/FakePlatform.h"
#include "tray/TextTrayIcon.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/Dialogs.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "ui/Text.h"
#include "ui/Timer.h"

namespace app::test {

constexpr uint32_t kMinute = 60000;  // ms
inline const std::u16string kExeDir = u"/opt/qv tovra/";
inline const std::u16string kConfig = u"/home/юзер/.config";
inline const std::u16string kDataDir = kConfig + u"/QV Tovra/";
inline const std::u16string kIni = kDataDir + u"tovra.ini";

// A translation file with a UTF-8 mark: the header, the window's section, the constants.
inline std::string LngFile(int langId, const std::string& formEntries,
                           const std::string& constants) {
    return "\xEF\xBB\xBFLANGID=" + std::to_string(langId) + "\r\n[Form1]\r\n" + formEntries +
           "[$CONSTANTS]\r\n" + constants;
}

class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProcessState();
        lang::ResetLangManager();
        fp.fileSystemFake.exePath = kExeDir + u"tovra";
        fp.fileSystemFake.appDataPath = kConfig;
        fp.fileSystemFake.dirs.insert(u"/opt/qv tovra");
        fp.fileSystemFake.dirs.insert(kConfig);
        fp.userInput();
    }
    void TearDown() override {
        form.reset();
        ResetProcessState();
        lang::ResetLangManager();
    }

    // The settings file as another run left it.
    void settings(const std::string& text) { fp.profileFilesFake.setText(kIni, text); }
    std::string savedText(const std::u16string& path = kIni) const {
        return fp.profileFilesFake.text(path);
    }
    void addLanguage(const std::u16string& name, const std::string& content) {
        fp.fileSystemFake.addFile(kExeDir + name, content);
    }
    // Makes the window (start-up runs), then lets the first tick start the work period.
    void create() {
        form = std::make_unique<TForm1>(nullptr);
        form->SetMainForm(true);
    }
    void start() {
        create();
        fp.advance(50);
    }
    // The window goes (shut-down runs).
    void destroy() { form.reset(); }

    // The settings window opens on a double click and `session` runs while it is shown.
    void openSettings(std::function<void(TForm1&)> session) {
        fp.formDisplayFake.sessions.push_back(
            [session](ui::TForm& f) { session(static_cast<TForm1&>(f)); });
        // Through the bound event, as the icon delivers it (errors end in the error box).
        ASSERT_TRUE(form->TextTrayIcon1->OnDblClick);
        form->TextTrayIcon1->OnDblClick(form->TextTrayIcon1);
    }
    std::u16string trayText() const { return form->TextTrayIcon1->Text(); }
    int errorBoxes() const {
        int n = 0;
        for (auto& c : fp.messageBoxesFake.calls) n += c.error ? 1 : 0;
        return n;
    }

    platform::fake::FakePlatform fp;  // outlives the window
    std::unique_ptr<TForm1> form;
};

// Sections of an INI text and their keys in file order.
inline std::map<std::string, std::vector<std::pair<std::string, std::string>>> ParseIni(
    const std::string& text) {
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> out;
    std::string section;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        pos = end + 1;
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            out[section];
        } else if (auto eq = line.find('='); eq != std::string::npos) {
            out[section].emplace_back(line.substr(0, eq), line.substr(eq + 1));
        }
    }
    return out;
}

inline std::string ValueOf(const std::string& text, const std::string& section, const std::string& key) {
    auto ini = ParseIni(text);
    for (auto& [k, v] : ini[section])
        if (k == key) return v;
    return "<missing>";
}

}  // namespace app::test
