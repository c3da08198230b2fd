#pragma once
// Drawing text into small pictures (the tray icon's 16x16 face).
#include <cstdint>
#include <string>

namespace platform {

// The font as the renderer needs it; the colour already resolved to 0x00BBGGRR.
struct FontSpec {
    std::u16string Name;
    int32_t Height = -11;  // negative: character height without internal leading; positive: cell
    uint32_t Style = 0;    // bold 1, italic 2, underline 4, strike-out 8
    int Pitch = 0;
    uint32_t Color = 0;
    uint8_t Charset = 1;
};

// A picture with one opaque colour per pixel, 0x00BBGGRR, row by row from the top.
struct RgbBitmap {
    int Width = 0, Height = 0;
    uint32_t* Pixels = nullptr;
};

class TextRasterizer {
public:
    virtual ~TextRasterizer() = default;
    // Advance width of `s` in pixels; 0 for an empty string.
    virtual int TextWidth(const FontSpec& font, const std::u16string& s) = 0;
    // Height of the character cell (ascent + descent), the same for every string.
    virtual int TextHeight(const FontSpec& font) = 0;
    // Draws `s` with the top-left corner of its cell at (x, y): glyphs in font.Color, the cell
    // (TextWidth x TextHeight) filled opaque with `background` first; clipped to the bitmap.
    virtual void TextOut(const FontSpec& font, RgbBitmap& target, int x, int y,
                         const std::u16string& s, uint32_t background) = 0;
};

}  // namespace platform
