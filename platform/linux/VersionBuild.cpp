// The program's version comes from the build (the project version in CMake).
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class BuildVersion final : public Version {
public:
    std::optional<std::array<uint16_t, 4>> FileVersion() override {
        return std::array<uint16_t, 4>{TOVRA_VERSION_MAJOR, TOVRA_VERSION_MINOR,
                                       TOVRA_VERSION_PATCH, TOVRA_VERSION_TWEAK};
    }
};
}  // namespace

std::unique_ptr<Version> makeVersion() { return std::make_unique<BuildVersion>(); }

}  // namespace platform::linux_
