// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubNotifyArea final : public NotifyArea {
public:

};
}  // namespace

std::unique_ptr<NotifyArea> makeNotifyArea() { return std::make_unique<StubNotifyArea>(); }

}  // namespace platform::linux_
