#include "app/Program.h"

#include <memory>

#include "app/ProgramWindows.h"
#include "app/Unit1.h"
#include "platform/Platform.h"

namespace app {

int RunProgram() {
    auto& p = platform::thePlatform();
    bool alreadyExisted = false;
    // A plain name is the user's own; a second copy in the same session finds it open. When
    // the lock cannot be had at all the program runs without the guard.
    std::unique_ptr<platform::NamedLock> guard =
        p.namedLocks().Create(SingleInstanceLockName, &alreadyExisted);
    if (guard && alreadyExisted) {
        p.messageBoxes().ShowError(u"Another copy of this program is already running.");
        return 0;
    }

    // Before the window: its tray icon makes the start-up decision while the window is read.
    TProgramWindows windows;
    auto form = std::make_unique<TForm1>(nullptr);
    form->SetMainForm(true);
    windows.SetMainForm(form.get());
    if (windows.ShowMainForm) form->Show();
    // Released before the window is destroyed, so the settings are written after it; the
    // same end when an error leaves the loop, so the user's settings are still saved.
    auto end = [&] {
        guard.reset();
        windows.SetTerminated();
        form.reset();
        windows.SetMainForm(nullptr);
    };
    int code = 0;
    try {
        code = p.loop().Run();
    } catch (...) {
        end();
        throw;
    }
    end();
    return code;
}

}  // namespace app
