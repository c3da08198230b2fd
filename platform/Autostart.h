#pragma once
// The per-user autostart entry, keyed by name, whose value is an executable path.
#include <optional>
#include <string>

namespace platform {

class Autostart {
public:
    virtual ~Autostart() = default;
    // Errors raise ui::Exception.
    virtual std::optional<std::u16string> Read(const std::u16string& name) = 0;
    virtual void Write(const std::u16string& name, const std::u16string& exePath) = 0;
    virtual void Remove(const std::u16string& name) = 0;
};

}  // namespace platform
