#include "platform/linux/SmallFonts.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace platform::linux_ {
namespace {

// Seven rows from the cap line (row 2 of the cell) down to the baseline (row 8); '#' is ink.
// Each glyph is preceded by one pixel of space, so its advance is its width plus one and a
// centred text sits in the middle of the face.
struct Glyph {
    char16_t Ch;
    int Width;
    std::array<const char*, 7> Rows;
};

constexpr int CapRow = 2;

constexpr Glyph Glyphs[] = {
    {u' ', 2, {"..", "..", "..", "..", "..", "..", ".."}},
    {u'0', 4, {".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."}},
    {u'1', 4, {"..#.", ".##.", "..#.", "..#.", "..#.", "..#.", ".###"}},
    {u'2', 4, {".##.", "#..#", "...#", "..#.", ".#..", "#...", "####"}},
    {u'3', 4, {".##.", "#..#", "...#", ".##.", "...#", "#..#", ".##."}},
    {u'4', 4, {"...#", "..##", ".#.#", "#..#", "####", "...#", "...#"}},
    {u'5', 4, {"####", "#...", "###.", "...#", "...#", "#..#", ".##."}},
    {u'6', 4, {".##.", "#...", "#...", "###.", "#..#", "#..#", ".##."}},
    {u'7', 4, {"####", "...#", "..#.", "..#.", ".#..", ".#..", ".#.."}},
    {u'8', 4, {".##.", "#..#", "#..#", ".##.", "#..#", "#..#", ".##."}},
    {u'9', 4, {".##.", "#..#", "#..#", ".###", "...#", "...#", ".##."}},
    {u'P', 4, {"###.", "#..#", "#..#", "###.", "#...", "#...", "#..."}},
    {u'h', 4, {"#...", "#...", "###.", "#..#", "#..#", "#..#", "#..#"}},
    {u'\u0433', 3, {"...", "...", "###", "#..", "#..", "#..", "#.."}},         // г
    {u'\u0447', 4, {"....", "....", "#..#", "#..#", ".###", "...#", "...#"}},  // ч
};

const Glyph* find(char16_t c) {
    for (const Glyph& g : Glyphs)
        if (g.Ch == c) return &g;
    return nullptr;
}

bool bold(const FontSpec& font) { return font.Style & 1; }

int advance(const Glyph& g, const FontSpec& font) { return 1 + g.Width + (bold(font) ? 1 : 0); }

bool sameName(const std::u16string& a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i], y = b[i];
        if (x >= u'A' && x <= u'Z') x = char16_t(x + 32);
        if (y >= u'A' && y <= u'Z') y = char16_t(y + 32);
        if (x != y) return false;
    }
    return true;
}

}  // namespace

bool SmallFonts::Serves(const FontSpec& font) {
    return sameName(font.Name, u"Small Fonts") && (font.Height == -9 || font.Height == 11) &&
           !(font.Style & 2);
}

bool SmallFonts::Covers(std::u16string_view s) {
    return std::all_of(s.begin(), s.end(), [](char16_t c) { return find(c) != nullptr; });
}

int SmallFonts::TextWidth(const FontSpec& font, std::u16string_view s) {
    int w = 0;
    for (char16_t c : s)
        if (const Glyph* g = find(c)) w += advance(*g, font);
    return w;
}

void SmallFonts::TextOut(const FontSpec& font, RgbBitmap& target, int x, int y,
                         std::u16string_view s, uint32_t background) {
    if (target.Width <= 0 || target.Height <= 0 || !target.Pixels) return;
    auto plot = [&](int px, int py, uint32_t c) {
        if (px >= 0 && py >= 0 && px < target.Width && py < target.Height)
            target.Pixels[py * target.Width + px] = c & 0xFFFFFF;
    };
    int width = TextWidth(font, s);
    for (int py = y; py < y + Ascent + Descent; ++py)
        for (int px = x; px < x + width; ++px) plot(px, py, background);

    int left = x;
    for (char16_t c : s) {
        const Glyph* g = find(c);
        if (!g) continue;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < g->Width; ++col) {
                if (g->Rows[std::size_t(row)][col] != '#') continue;
                plot(left + 1 + col, y + CapRow + row, font.Color);
                if (bold(font)) plot(left + 2 + col, y + CapRow + row, font.Color);
            }
        left += advance(*g, font);
    }
    // Lines across the whole advance, as raster faces draw them.
    for (int px = x; px < x + width; ++px) {
        if (font.Style & 4) plot(px, y + Ascent + 1, font.Color);
        if (font.Style & 8) plot(px, y + Ascent - 4, font.Color);
    }
}

std::string SmallFonts::Bdf() {
    // 7 points at 96 pixels per inch; the cell is the ascent over the baseline and the descent.
    constexpr int Points = 7, Dpi = 96, Pixels = Ascent;
    std::string out;
    char line[512];
    std::snprintf(line, sizeof line,
                  "STARTFONT 2.1\n"
                  "FONT -QVTovra-Small Fonts-Medium-R-Normal--%d-%d-%d-%d-P-40-ISO10646-1\n"
                  "SIZE %d %d %d\nFONTBOUNDINGBOX 6 %d 0 %d\n",
                  Pixels, Points * 10, Dpi, Dpi, Points, Dpi, Dpi, Ascent + Descent, -Descent);
    out += line;
    std::snprintf(line, sizeof line,
                  "STARTPROPERTIES 8\nFAMILY_NAME \"Small Fonts\"\nWEIGHT_NAME \"Medium\"\n"
                  "PIXEL_SIZE %d\nPOINT_SIZE %d\nFONT_ASCENT %d\nFONT_DESCENT %d\n"
                  // Without the character set a reader finds no way from Unicode to glyphs.
                  "CHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\n"
                  "ENDPROPERTIES\nCHARS %d\n",
                  Pixels, Points * 10, Ascent, Descent, int(std::size(Glyphs)));
    out += line;
    for (const Glyph& g : Glyphs) {
        const int advance = 1 + g.Width;
        // One pixel of space before the ink, as TextOut draws it.
        std::snprintf(line, sizeof line,
                      "STARTCHAR U+%04X\nENCODING %d\nSWIDTH %d 0\nDWIDTH %d 0\n"
                      "BBX %d 7 1 %d\nBITMAP\n",
                      unsigned(g.Ch), int(g.Ch), advance * 72000 / (Points * Dpi), advance,
                      g.Width, Ascent - CapRow - 7);
        out += line;
        for (const char* row : g.Rows) {
            unsigned bits = 0;
            for (int col = 0; col < g.Width; ++col)
                if (row[col] == '#') bits |= 0x80u >> col;
            std::snprintf(line, sizeof line, "%02X\n", bits);
            out += line;
        }
        out += "ENDCHAR\n";
    }
    out += "ENDFONT\n";
    return out;
}

}  // namespace platform::linux_
