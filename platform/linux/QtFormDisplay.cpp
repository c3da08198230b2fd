// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubFormDisplay final : public FormDisplay {
public:
    void ShowModal(ui::TForm&) override {}
    void FormChanged(ui::TForm&) override {}
};
}  // namespace

std::unique_ptr<FormDisplay> makeFormDisplay() { return std::make_unique<StubFormDisplay>(); }

}  // namespace platform::linux_
