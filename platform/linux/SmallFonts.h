#pragma once
// "Small Fonts", the raster face the tray icon uses unless the user picks another font, drawn
// from glyphs built into the program. Linux has no such font, and matching a stand-in through
// the toolkit maps the whole font stack (fontconfig, FreeType, HarfBuzz, a TrueType file) into
// a program that otherwise only counts minutes. The glyphs cover what the face shows: digits,
// the hours marks of the shipped languages ("h", "ч", "г") and the pause mark "P".
#include <string>
#include <string_view>

#include "platform/TextRasterizer.h"

namespace platform::linux_ {

struct SmallFonts {
    // The one size built in: 7 points at 96 pixels per inch, height -9 (or its cell, 11).
    static constexpr int Ascent = 9, Descent = 2;

    // The face stands for `font`: its name, that size, upright. Bold, underline and strike-out
    // are drawn the way raster faces get them: overstruck one pixel to the right, lines.
    static bool Serves(const FontSpec& font);
    // Every character of `s` has a built-in glyph.
    static bool Covers(std::u16string_view s);
    static int TextWidth(const FontSpec& font, std::u16string_view s);
    static void TextOut(const FontSpec& font, RgbBitmap& target, int x, int y,
                        std::u16string_view s, uint32_t background);
    // The glyphs as a BDF font file, so the font picker can list and show the face.
    static std::string Bdf();
};

}  // namespace platform::linux_
