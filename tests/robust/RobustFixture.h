#pragma once
// The whole program on the fake platform, built the way a user's machine holds it: an
// executable folder with translations and alert sounds, a configuration folder, a settings
// file. Shared by the soak and the fault-injection tests.
#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>

#include "app/Unit1.h"
#include "lang/DKLang.h"
#include "platform/fake/FakePlatform.h"
#include "tray/TextTrayIcon.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "ui/Timer.h"

namespace robust {

constexpr uint32_t kMinute = 60000;  // ms
inline const std::u16string kExeDir = u"/opt/qv tovra/";
inline const std::u16string kConfig = u"/home/юзер/.config";
inline const std::u16string kIni = kConfig + u"/QV Tovra/tovra.ini";
inline const std::u16string kWorkSound = kExeDir + u"work chime.mp3";
inline const std::u16string kRestSound = kExeDir + u"rest chime.wav";

// Bytes the heap holds now; under the address sanitizer its allocator keeps the count.
std::size_t HeapInUse();

class RobustFixture : public ::testing::Test {
protected:
    void SetUp() override {
        app::ResetProcessState();
        lang::ResetLangManager();
        fp.fileSystemFake.exePath = kExeDir + u"tovra";
        fp.fileSystemFake.appDataPath = kConfig;
        fp.fileSystemFake.dirs.insert(u"/opt/qv tovra");
        fp.fileSystemFake.dirs.insert(kConfig);
        fp.fileSystemFake.addFile(kWorkSound, "ID3");
        fp.fileSystemFake.addFile(kRestSound, "RIFF");
        // Translations with their own hour sign, so a switch shows in the tray face.
        fp.fileSystemFake.addFile(kExeDir + u"Deutsch.lng",
                                  "\xEF\xBB\xBFLANGID=1031\r\n[$CONSTANTS]\r\nSh=Std\r\n");
        fp.fileSystemFake.addFile(kExeDir + u"Русский.lng",
                                  "\xEF\xBB\xBFLANGID=1049\r\n[$CONSTANTS]\r\nSh=ч\r\n");
        fp.userInput();
    }
    void TearDown() override {
        form.reset();
        app::ResetProcessState();
        lang::ResetLangManager();
    }

    // Makes the window (start-up runs) and lets the first tick start the work period.
    void start() {
        form = std::make_unique<app::TForm1>(nullptr);
        form->SetMainForm(true);
        fp.advance(50);
    }
    void destroy() { form.reset(); }

    // A double click on the icon opens the settings window; `session` runs while it shows.
    void openSettings(std::function<void(app::TForm1&)> session) {
        fp.formDisplayFake.sessions.push_back(
            [session](ui::TForm& f) { session(static_cast<app::TForm1&>(f)); });
        fp.notifyAreaFake.doubleClick();
        fp.advance(fp.screenFake.doubleClickTime + 1);
    }
    // A single click counts once the double-click time has passed without a second one.
    void clickIcon() {
        fp.notifyAreaFake.click();
        fp.advance(fp.screenFake.doubleClickTime + 1);
    }
    std::u16string trayText() const { return form->TextTrayIcon1->Text(); }
    bool paused() const { return form->N3->Checked(); }
    int errorBoxes() const {
        int n = 0;
        for (auto& c : fp.messageBoxesFake.calls) n += c.error ? 1 : 0;
        return n;
    }
    std::string savedText() const { return fp.profileFilesFake.text(kIni); }

    platform::fake::FakePlatform fp;  // outlives the window
    std::unique_ptr<app::TForm1> form;
};

}  // namespace robust
