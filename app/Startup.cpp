// Start-up and shut-down of the main window: audio, languages, folders, the autostart entry
// and the settings, each step on its own so that one failure does not stop the others.
#include <exception>

#include "app/Unit1.h"
#include "lang/DKLang.h"
#include "platform/Platform.h"
#include "ui/Menus.h"

namespace app {

namespace {

// The name of the autostart entry.
constexpr const char16_t* AutostartName = u"QV Tovra";

// Runs one start-up step; an error ends that step only and is not shown.
template <class F>
void Step(F&& f) {
    try {
        f();
    } catch (...) {
    }
}

// The folder part of a path, with its trailing separator; empty without one.
std::u16string FolderOf(const std::u16string& path) {
    auto pos = path.find_last_of(u'/');
    return pos == std::u16string::npos ? std::u16string() : path.substr(0, pos + 1);
}

}  // namespace

void TForm1::FormCreate(ui::TObject*) {
    auto& p = platform::thePlatform();

    // Termination signals and the session's end take the way of "Exit", so the guard is
    // released and the settings are saved.
    Step([&] { p.loop().OnEndRequest([this] { EndRequested(); }); });

    // 1. Audio: 44100 Hz on the default device.
    AudioAvailable = true;
    try {
        if (!p.audio().Init(-1, 44100, 0)) AudioAvailable = false;
    } catch (...) {
        AudioAvailable = false;
    }

    // 2. Languages: the translation files beside the executable, not in sub-folders.
    Step([&] {
        std::u16string dir = FolderOf(p.fileSystem().ExePath());
        if (dir.size() > 1) dir.pop_back();
        lang::ScanLanguageFolder(dir, u"*.lng", false);
        BuildLanguageMenu();
        UpdateStateNotify();
    });

    // 3. Duration labels, then the two folders.
    Step([&] {
        TrackBar1Change(this);
        TrackBar2Change(this);
        ExeDir = FolderOf(p.fileSystem().ExePath());
        std::u16string appData = GetSpecialFolderPath(CSIDL_APPDATA);
        // Without a configuration folder the settings stay beside the executable rather than
        // in a folder at the root of the file system.
        DataDir = appData.empty() ? ExeDir : appData + u"/QV Tovra/";
        if (DataDir != ExeDir && !p.fileSystem().DirectoryExists(DataDir) &&
            !p.fileSystem().ForceDirectories(DataDir))
            DataDir = ExeDir;
    });

    // 4. Autostart state.
    AutostartAtStart = false;
    Step([&] {
        if (p.autostart().Read(AutostartName)) {
            N8->SetChecked(true);
            AutostartAtStart = true;
        }
    });

    // 5. Settings; an error here reaches the error box, with the values read so far kept.
    LoadSettings();
}

void TForm1::FormDestroy(ui::TObject*) {
    auto& p = platform::thePlatform();
    if (N8->Checked() != AutostartAtStart) {
        Step([&] {
            if (N8->Checked())
                p.autostart().Write(AutostartName, p.fileSystem().ExePath());
            else if (p.autostart().Read(AutostartName))
                p.autostart().Remove(AutostartName);
        });
    }
    SaveSettings();
}

std::u16string TForm1::GetSpecialFolderPath(int csidl) {
    if (csidl != CSIDL_APPDATA) return {};
    try {
        return platform::thePlatform().fileSystem().AppDataPath();
    } catch (...) {
        return {};
    }
}

void TForm1::EndRequested() {
    // The settings window is this window shown modally: closing it would only end the modal
    // loop. Cancel it (unconfirmed edits are not kept) and end the program's loop as well.
    if (Modal()) {
        SetModalResult(ui::mrCancel);
        platform::thePlatform().loop().Quit(0);
    } else {
        Close();
    }
}

}  // namespace app
