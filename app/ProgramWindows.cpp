#include "app/ProgramWindows.h"

#include "platform/Platform.h"
#include "ui/Forms.h"

namespace app {

TProgramWindows::TProgramWindows() { tray::SetTrayApplication(this); }

TProgramWindows::~TProgramWindows() {
    if (tray::TrayApplication() == this) tray::SetTrayApplication(nullptr);
}

bool TProgramWindows::IsWindow(const ui::TComponent* c) {
    return dynamic_cast<const ui::TForm*>(c) != nullptr;
}

void TProgramWindows::BringToFront(const ui::TComponent* Window) {
    if (auto* form = dynamic_cast<const ui::TForm*>(Window))
        platform::thePlatform().formDisplay().BringToFront(const_cast<ui::TForm&>(*form));
}

void TProgramWindows::SetMainFormVisible(bool Visible) {
    // The settings window shown modally stays until OK or Cancel.
    if (FMainForm && !FMainForm->Modal()) FMainForm->SetVisible(Visible);
}

}  // namespace app
