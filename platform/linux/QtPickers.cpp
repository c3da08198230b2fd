// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubPickers final : public Pickers {
public:
    std::optional<int32_t> PickColor(int32_t) override { return std::nullopt; }
    bool PickFont(ui::TFont&) override { return false; }
    std::optional<std::u16string> PickOpenFile(const std::u16string&, const std::u16string&) override { return std::nullopt; }
};
}  // namespace

std::unique_ptr<Pickers> makePickers() { return std::make_unique<StubPickers>(); }

}  // namespace platform::linux_
