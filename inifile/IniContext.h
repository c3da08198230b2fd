#pragma once
// Runs an operation so that an error passing through it names the operation first:
// "TSafeIniFile.ReadSection -> <message>". The class and everything else of the error stay.
#include <string_view>

#include "ui/Exceptions.h"

namespace inifile::detail {

template <class F>
auto WithContext(std::u16string_view context, F&& body) -> decltype(body()) {
    try {
        return body();
    } catch (ui::Exception& e) {
        e.SetMessage(ui::Format(u"%s -> %s", {std::u16string(context), e.Message()}));
        throw;
    }
}

}  // namespace inifile::detail
