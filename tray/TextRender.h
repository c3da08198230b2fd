#pragma once
// The text tray icon's rendering core: text, font, colours and offsets in; a 16x16 picture
// with one colour per pixel and a key colour out. It needs nothing of the notification area.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/NotifyArea.h"
#include "platform/TextRasterizer.h"
#include "ui/Color.h"
#include "ui/Font.h"

namespace tray {

// 16x16 pixels, 0x00BBGGRR, row by row from the top.
struct TTextBitmap {
    static constexpr int Size = 16;
    std::array<uint32_t, 256> Pixels{};
    uint32_t At(int x, int y) const { return Pixels[std::size_t(y * Size + x)]; }
};

struct TTextFace {
    std::u16string Text;
    const ui::TFont* Font = nullptr;
    ui::TColor Color = ui::clBtnFace;  // clNone: transparent background
    bool Border = false;
    ui::TColor BorderColor = ui::clBlack;
    int32_t OffsetX = 0, OffsetY = 0, LineDistance = 0;
};

// Lines at carriage returns: k of them give k + 1 lines, empty ones included; a line feed
// stays in its line.
std::vector<std::u16string> SplitLines(const std::u16string& Text);

platform::FontSpec FontSpecOf(const ui::TFont& font);

// The colour painted behind the text: the text colour's RGB inverse when the background is
// clNone or equal (as stored) to the font colour, else the background colour (unresolved).
ui::TColor KeyColorOf(ui::TColor Color, const ui::TFont& Font);

// Paints the face into `out` and answers the key colour.
ui::TColor PaintTextBitmap(const TTextFace& face, TTextBitmap& out,
                           platform::TextRasterizer& rasterizer);

// Colour pixels plus mask: pixels of the resolved mask colour become transparent; clNone
// keeps all opaque.
platform::IconImage BitmapToIconImage(const TTextBitmap& bitmap, ui::TColor MaskColor);

// The text bitmap over a background picture (scaled to 16x16, its transparent pixels showing
// the key colour); text pixels of the key colour are left out. The result's key-coloured
// pixels are transparent.
platform::IconImage MergeWithBackgroundImage(const TTextBitmap& text, ui::TColor key,
                                             const platform::IconImage& background);

}  // namespace tray
