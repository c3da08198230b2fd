#pragma once
// The platform's colour, font and file pickers. Each is modal; cancelled pickers change nothing.
#include <cstdint>
#include <optional>
#include <string>

namespace ui { class TFont; }

namespace platform {

class Pickers {
public:
    virtual ~Pickers() = default;
    virtual std::optional<int32_t> PickColor(int32_t initial) = 0;
    // Opens on `font`; on confirmation stores the choice in `font` and returns true.
    virtual bool PickFont(ui::TFont& font) = 0;
    // `filter` uses the "Name|*.a; *.b|Name|*.c" form. Returns the full path picked.
    virtual std::optional<std::u16string> PickOpenFile(const std::u16string& filter,
                                                      const std::u16string& initialPath) = 0;
};

}  // namespace platform
