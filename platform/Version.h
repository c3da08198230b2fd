#pragma once
#include <array>
#include <cstdint>
#include <optional>

namespace platform {

// The program's file version: major, minor, release, build; nullopt when it has none.
class Version {
public:
    virtual ~Version() = default;
    virtual std::optional<std::array<uint16_t, 4>> FileVersion() = 0;
};

}  // namespace platform
