// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubShell final : public Shell {
public:
    bool ShellExecute(const std::u16string&, int) override { return false; }
};
}  // namespace

std::unique_ptr<Shell> makeShell() { return std::make_unique<StubShell>(); }

}  // namespace platform::linux_
