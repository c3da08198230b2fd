// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubAutostart final : public Autostart {
public:
    std::optional<std::u16string> Read(const std::u16string&) override { return std::nullopt; }
    void Write(const std::u16string&, const std::u16string&) override {}
    void Remove(const std::u16string&) override {}
};
}  // namespace

std::unique_ptr<Autostart> makeAutostart() { return std::make_unique<StubAutostart>(); }

}  // namespace platform::linux_
