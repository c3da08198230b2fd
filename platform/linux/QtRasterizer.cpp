// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubRasterizer final : public TextRasterizer {
public:
    int TextWidth(const FontSpec&, const std::u16string&) override { return 0; }
    int TextHeight(const FontSpec&) override { return 0; }
    void TextOut(const FontSpec&, RgbBitmap&, int, int, const std::u16string&, uint32_t) override {}
};
}  // namespace

std::unique_ptr<TextRasterizer> makeRasterizer() { return std::make_unique<StubRasterizer>(); }

}  // namespace platform::linux_
