// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubScreen final : public Screen {
public:
    int PixelsPerInch() override { return 96; }
    Point CursorPos() override { return {}; }
    uint32_t DoubleClickTime() override { return 500; }
    uint32_t ShiftState() override { return 0; }
};
}  // namespace

std::unique_ptr<Screen> makeScreen() { return std::make_unique<StubScreen>(); }

}  // namespace platform::linux_
