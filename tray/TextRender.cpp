#include "tray/TextRender.h"

#include "ui/ImgList.h"

namespace tray {

std::vector<std::u16string> SplitLines(const std::u16string& Text) {
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t cr = Text.find(u'\r', start);
        if (cr == std::u16string::npos) {
            lines.push_back(Text.substr(start));
            return lines;
        }
        lines.push_back(Text.substr(start, cr - start));
        start = cr + 1;
    }
}

platform::FontSpec FontSpecOf(const ui::TFont& font) {
    platform::FontSpec s;
    s.Name = font.Name();
    s.Height = font.Height();
    s.Style = font.Style();
    s.Pitch = int(font.Pitch());
    s.Color = ui::ColorToRGB(font.Color()) & 0xFFFFFF;
    s.Charset = font.Charset();
    return s;
}

ui::TColor KeyColorOf(ui::TColor Color, const ui::TFont& Font) {
    if (Color == ui::clNone || Color == Font.Color())
        return ui::TColor((ui::ColorToRGB(Font.Color()) ^ 0x00FFFFFF) & 0x00FFFFFF);
    return Color;
}

ui::TColor PaintTextBitmap(const TTextFace& face, TTextBitmap& out,
                           platform::TextRasterizer& rasterizer) {
    ui::TFont fallback;
    const ui::TFont& fontRef = face.Font ? *face.Font : fallback;
    ui::TColor key = KeyColorOf(face.Color, fontRef);
    uint32_t keyRgb = ui::ColorToRGB(key) & 0xFFFFFF;
    out.Pixels.fill(keyRgb);

    platform::FontSpec font = FontSpecOf(fontRef);
    platform::RgbBitmap target{TTextBitmap::Size, TTextBitmap::Size, out.Pixels.data()};
    // 15, not 16: the face sits half a pixel up and left of the true centre. Integer division
    // truncates toward zero, so a 16-pixel text starts at 0 and a 17-pixel one at -1.
    if (face.Text.empty()) {
        // The key colour alone. Measuring would load the font, and the first time the whole
        // font database, before the icon is even shown: the window's stored properties redraw
        // the still empty face several times at start.
    } else if (face.Text.find(u'\r') == std::u16string::npos) {
        int x = (15 - rasterizer.TextWidth(font, face.Text)) / 2 + face.OffsetX;
        int y = (15 - rasterizer.TextHeight(font)) / 2 + face.OffsetY;
        rasterizer.TextOut(font, target, x, y, face.Text, keyRgb);
    } else {
        std::vector<std::u16string> lines = SplitLines(face.Text);
        int h = rasterizer.TextHeight(font) + face.LineDistance;
        int top = (15 - int(lines.size()) * h) / 2 + face.OffsetY;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            int x = (15 - rasterizer.TextWidth(font, lines[i])) / 2 + face.OffsetX;
            rasterizer.TextOut(font, target, x, top + int(i) * h, lines[i], keyRgb);
        }
    }
    if (face.Border) {
        uint32_t c = ui::ColorToRGB(face.BorderColor) & 0xFFFFFF;
        for (int i = 0; i < TTextBitmap::Size; ++i) {
            out.Pixels[std::size_t(i)] = c;
            out.Pixels[std::size_t(15 * 16 + i)] = c;
            out.Pixels[std::size_t(i * 16)] = c;
            out.Pixels[std::size_t(i * 16 + 15)] = c;
        }
    }
    return key;
}

namespace {
uint32_t ToArgb(uint32_t bgr) {
    return 0xFF000000u | ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}
}  // namespace

platform::IconImage BitmapToIconImage(const TTextBitmap& bitmap, ui::TColor MaskColor) {
    platform::IconImage img;
    img.Width = img.Height = TTextBitmap::Size;
    img.Pixels.resize(256);
    bool masked = MaskColor != ui::clNone;
    uint32_t mask = masked ? ui::ColorToRGB(MaskColor) & 0xFFFFFF : 0;
    for (std::size_t i = 0; i < 256; ++i) {
        uint32_t bgr = bitmap.Pixels[i] & 0xFFFFFF;
        img.Pixels[i] = masked && bgr == mask ? 0u : ToArgb(bgr);
    }
    return img;
}

platform::IconImage MergeWithBackgroundImage(const TTextBitmap& text, ui::TColor key,
                                             const platform::IconImage& background) {
    uint32_t m = ui::ColorToRGB(key) & 0xFFFFFF;
    TTextBitmap merged;
    merged.Pixels.fill(m);
    platform::IconImage bg = ui::ScaleImage(background, 16, 16);
    if (!bg.Pixels.empty())
        for (std::size_t i = 0; i < 256; ++i) {
            uint32_t argb = bg.Pixels[i];
            uint32_t a = argb >> 24;
            if (a == 0) continue;  // transparent: the key shows
            uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
            uint32_t kr = m & 0xFF, kg = (m >> 8) & 0xFF, kb = (m >> 16) & 0xFF;
            r = (r * a + kr * (255 - a)) / 255;
            g = (g * a + kg * (255 - a)) / 255;
            b = (b * a + kb * (255 - a)) / 255;
            merged.Pixels[i] = r | (g << 8) | (b << 16);
        }
    for (std::size_t i = 0; i < 256; ++i)
        if ((text.Pixels[i] & 0xFFFFFF) != m) merged.Pixels[i] = text.Pixels[i] & 0xFFFFFF;
    return BitmapToIconImage(merged, key);
}

}  // namespace tray
