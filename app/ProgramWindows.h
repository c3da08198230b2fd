#pragma once
// The program's windows as the tray icon sees them: the main window, which is also the
// settings window, and no taskbar button of its own (the program lives in the tray).
#include "tray/CoolTrayIcon.h"

namespace ui {
class TForm;
}

namespace app {

class TProgramWindows : public tray::TTrayApplication {
public:
    TProgramWindows();  // installs itself for the tray icons
    ~TProgramWindows() override;
    TProgramWindows(const TProgramWindows&) = delete;
    TProgramWindows& operator=(const TProgramWindows&) = delete;

    // The main window once it is made; null before and after.
    void SetMainForm(ui::TForm* Form) { FMainForm = Form; }
    // The message loop has ended: the windows are going.
    void SetTerminated() { FTerminated = true; }

    bool IsWindow(const ui::TComponent* c) override;
    bool MainFormExists() override { return FMainForm != nullptr; }
    // A fixed-size dialog: never minimised.
    bool MainFormMinimized() override { return false; }
    void SetMainFormNormal() override {}
    void SetMainFormVisible(bool Visible) override;
    void Restore() override {}
    // A form goes to the display; the application itself has no window of its own here.
    void BringToFront(const ui::TComponent* Window) override;
    bool TaskbarButtonVisible() override { return false; }
    void SetTaskbarButtonVisible(bool) override {}
    bool Terminated() override { return FTerminated; }

private:
    ui::TForm* FMainForm = nullptr;
    bool FTerminated = false;
};

}  // namespace app
