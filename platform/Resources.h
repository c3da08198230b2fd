#pragma once
// Raw-data resources carried by the executable.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class Resources {
public:
    virtual ~Resources() = default;
    // Names compare ignoring ASCII case; nullopt when absent.
    virtual std::optional<std::vector<uint8_t>> FindResource(const std::string& name) = 0;
};

}  // namespace platform
