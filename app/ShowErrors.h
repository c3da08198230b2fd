#pragma once
// Errors that leave an event handler or a menu command are shown in the toolkit's error box and
// the program goes on with the next message, as the window framework does for its own handlers.
#include <exception>

#include "platform/Platform.h"
#include "ui/Exceptions.h"
#include "ui/Text.h"

namespace app {

template <class F>
void ShowErrors(F&& f) {
    try {
        f();
    } catch (const ui::Exception& e) {
        platform::thePlatform().messageBoxes().ShowError(e.Message());
    } catch (const std::exception& e) {
        platform::thePlatform().messageBoxes().ShowError(ui::FromUtf8(e.what()));
    }
}

}  // namespace app
