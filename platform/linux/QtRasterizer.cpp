// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubRasterizer final : public TextRasterizer {
public:

};
}  // namespace

std::unique_ptr<TextRasterizer> makeRasterizer() { return std::make_unique<StubRasterizer>(); }

}  // namespace platform::linux_
