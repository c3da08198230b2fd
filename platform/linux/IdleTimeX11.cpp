// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubIdle final : public IdleTime {
public:
    uint32_t LastInputTick() override { return 0; }
};
}  // namespace

std::unique_ptr<IdleTime> makeIdleTime() { return std::make_unique<StubIdle>(); }

}  // namespace platform::linux_
