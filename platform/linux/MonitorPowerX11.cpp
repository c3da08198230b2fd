// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubMonitor final : public MonitorPower {
public:
    void SetMonitorPower(bool) override {}
};
}  // namespace

std::unique_ptr<MonitorPower> makeMonitorPower() { return std::make_unique<StubMonitor>(); }

}  // namespace platform::linux_
