#include "platform/fake/FakeRasterizer.h"

namespace platform::fake {

int FakeRasterizer::widthOf(char16_t c) const {
    auto it = widths.find(c);
    return it == widths.end() ? charWidth : it->second;
}

int FakeRasterizer::TextWidth(const FontSpec&, const std::u16string& s) {
    int w = 0;
    for (char16_t c : s) w += widthOf(c);
    return w;
}

void FakeRasterizer::TextOut(const FontSpec& font, RgbBitmap& target, int x, int y,
                             const std::u16string& s, uint32_t background) {
    calls.push_back({x, y, s, font, background});
    auto put = [&](int px, int py, uint32_t c) {
        if (px >= 0 && py >= 0 && px < target.Width && py < target.Height)
            target.Pixels[py * target.Width + px] = c;
    };
    int cx = x;
    for (char16_t ch : s) {
        int w = widthOf(ch);
        for (int py = y; py < y + cellHeight; ++py)
            for (int px = cx; px < cx + w; ++px) {
                bool glyph = ch != u' ' && px < cx + w - 1 && py > y && py < y + cellHeight - 1;
                put(px, py, glyph ? font.Color : background);
            }
        cx += w;
    }
}

}  // namespace platform::fake
