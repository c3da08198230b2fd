#pragma once
// Modal message boxes. Window messages go on being processed while one is open.
#include <cstdint>
#include <string>

namespace ui { class TComponent; }

namespace platform {

constexpr uint32_t MB_OK = 0x0, MB_ICONERROR = 0x10, MB_ICONINFORMATION = 0x40,
                   MB_TOPMOST = 0x40000;
constexpr int IDOK = 1;

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // `owner` may be null. Returns the button pressed (IDOK).
    virtual int MessageBox(const ui::TComponent* owner, const std::u16string& text,
                           const std::u16string& caption, uint32_t flags) = 0;
    // The toolkit's standard error box with its standard caption (uncaught errors, refusals).
    virtual void ShowError(const std::u16string& text) = 0;
};

}  // namespace platform
