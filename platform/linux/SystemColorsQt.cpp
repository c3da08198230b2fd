// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubColors final : public SystemColors {
public:
    uint32_t GetSysColor(int) override { return 0; }
};
}  // namespace

std::unique_ptr<SystemColors> makeSystemColors() { return std::make_unique<StubColors>(); }

}  // namespace platform::linux_
