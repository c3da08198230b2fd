#pragma once
// The smallest world for the main window: the fake platform, the window read from its stored
// description, and settings put in known states.
#include <gtest/gtest.h>

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
#include "ui/Text.h"
#include "ui/Timer.h"

namespace app::test {

constexpr uint32_t Minute = 60000;  // ms

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProcessState();
        form = std::make_unique<TForm1>(nullptr);
        // Known settings, whatever a settings load put there.
        form->TimeToWork = 45;
        form->TimeToRest = 15;
        form->Edit1->SetText(u"Work!");
        form->Edit3->SetText(u"Rest!");
        form->Edit2->SetText(u"");
        form->Edit4->SetText(u"");
        form->CheckBox1->SetChecked(false);
        form->CheckBox2->SetChecked(true);
        form->CheckBox3->SetChecked(false);
        form->CheckBox4->SetChecked(false);
        form->CheckBox5->SetChecked(false);
        form->SpinEdit1->SetValue(15);
        AudioAvailable = true;
        form->TextTrayIcon1->SetIconVisible(true);
        // Start-up's audio initialisation is not what these tests look at.
        fp.audioFake.calls.clear();
        fp.userInput();
    }
    void TearDown() override {
        form.reset();
        ResetProcessState();
        lang::ResetLangManager();
    }

    // The first tick, 50 ms after the window was made.
    void start() { fp.advance(50); }
    void minutes(int n) { fp.advance(uint64_t(n) * Minute); }
    std::u16string trayText() const { return form->TextTrayIcon1->Text(); }
    int boxes() const {
        int n = 0;
        for (auto& c : fp.messageBoxesFake.calls) n += c.error ? 0 : 1;
        return n;
    }

    platform::fake::FakePlatform fp;  // outlives the window
    std::unique_ptr<TForm1> form;
};

}  // namespace app::test
