// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubBoxes final : public MessageBoxes {
public:
    int MessageBox(const ui::TComponent*, const std::u16string&, const std::u16string&, uint32_t) override { return IDOK; }
    void ShowError(const std::u16string&) override {}
};
}  // namespace

std::unique_ptr<MessageBoxes> makeMessageBoxes() { return std::make_unique<StubBoxes>(); }

}  // namespace platform::linux_
