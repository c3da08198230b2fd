#pragma once
// A text renderer of fixed metrics: every character is `charWidth` pixels wide (or its own
// width from `widths`) and the cell `cellHeight` high. A character is drawn as a solid block of
// the font colour, its last column and its top and bottom rows left in the background; a space
// draws background only.
#include <map>
#include <string>
#include <vector>

#include "platform/TextRasterizer.h"

namespace platform::fake {

class FakeRasterizer : public TextRasterizer {
public:
    int charWidth = 5;
    int cellHeight = 11;
    std::map<char16_t, int> widths;
    struct Call {
        int X, Y;
        std::u16string Text;
        FontSpec Font;
        uint32_t Background;
    };
    std::vector<Call> calls;  // every TextOut, in order

    int TextWidth(const FontSpec& font, const std::u16string& s) override;
    int TextHeight(const FontSpec&) override { return cellHeight; }
    void TextOut(const FontSpec& font, RgbBitmap& target, int x, int y, const std::u16string& s,
                 uint32_t background) override;
    int widthOf(char16_t c) const;
};

}  // namespace platform::fake
