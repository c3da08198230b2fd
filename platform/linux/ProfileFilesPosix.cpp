// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubProfile final : public ProfileFiles {
public:

};
}  // namespace

std::unique_ptr<ProfileFiles> makeProfileFiles() { return std::make_unique<StubProfile>(); }

}  // namespace platform::linux_
