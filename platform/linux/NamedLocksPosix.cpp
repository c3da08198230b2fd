// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubLocks final : public NamedLocks {
public:
    std::unique_ptr<NamedLock> Create(const std::u16string&, bool* e) override { if (e) *e = false; return nullptr; }
};
}  // namespace

std::unique_ptr<NamedLocks> makeNamedLocks() { return std::make_unique<StubLocks>(); }

}  // namespace platform::linux_
