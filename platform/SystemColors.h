#pragma once
#include <cstdint>

namespace platform {

// The table behind system colour numbers 0..30: 0x00BBGGRR.
class SystemColors {
public:
    virtual ~SystemColors() = default;
    virtual uint32_t GetSysColor(int index) = 0;
};

}  // namespace platform
