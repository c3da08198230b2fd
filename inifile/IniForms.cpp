// Text forms of colours, fonts, rectangles and points.
#include "inifile/IniConvert.h"
#include "ui/Exceptions.h"
#include "ui/Text.h"

namespace inifile {

std::u16string ColorToText(ui::TColor c) {
    if (auto name = ui::ColorToIdent(c)) return *name;
    return ui::Format(u"$%.8X", {uint32_t(c)});
}

ui::TColor TextToColor(std::u16string_view t) {
    if (auto c = ui::IdentToColor(t)) return *c;
    if (auto v = ParseIntegerText(t)) return *v;
    throw ui::EConvertError(u"'%s' is not a valid integer value", {std::u16string(t)});
}

std::u16string FontToText(const ui::TFont& f) {
    std::u16string styles;
    if (f.Style() & ui::fsBold) styles += u'B';
    if (f.Style() & ui::fsItalic) styles += u'I';
    if (f.Style() & ui::fsUnderline) styles += u'U';
    if (f.Style() & ui::fsStrikeOut) styles += u'S';
    return ui::Format(u"%s,%d,%s,%d,%s,%d",
                      {f.Name(), f.Size(), styles, int(f.Pitch()), ColorToText(f.Color()),
                       int(f.Charset())});
}

namespace {

// Restores the change notice and fires it once, however the parse ends.
class TSilencedFont {
public:
    explicit TSilencedFont(ui::TFont& f) : FFont(f), FSaved(std::move(f.OnChange)) {
        f.OnChange = nullptr;
    }
    ~TSilencedFont() {
        FFont.OnChange = std::move(FSaved);
        if (FFont.OnChange) FFont.OnChange(&FFont);
    }

private:
    ui::TFont& FFont;
    ui::TNotifyEvent FSaved;
};

bool hasLetter(std::u16string_view s, char16_t upper) {
    for (char16_t c : s)
        if (c == upper || c == char16_t(upper + 32)) return true;
    return false;
}

}  // namespace

void TextToFont(std::u16string_view t, ui::TFont& f) {
    TSilencedFont silenced(f);
    std::size_t p = 0;
    for (int index = 0; p < t.size(); ++index) {
        std::size_t sep = t.find_first_of(u",;", p);
        std::u16string fieldText =
            ui::Trim(t.substr(p, sep == std::u16string_view::npos ? sep : sep - p));
        p = sep == std::u16string_view::npos ? t.size() : sep + 1;
        std::optional<int32_t> n = ParseIntegerText(fieldText);
        switch (index) {
            case 0:
                if (!fieldText.empty()) f.SetName(fieldText);
                break;
            case 1:
                if (n) f.SetSize(*n);
                break;
            case 2: {
                ui::TFontStyles s = 0;
                if (hasLetter(fieldText, u'B')) s |= ui::fsBold;
                if (hasLetter(fieldText, u'I')) s |= ui::fsItalic;
                if (hasLetter(fieldText, u'U')) s |= ui::fsUnderline;
                if (hasLetter(fieldText, u'S')) s |= ui::fsStrikeOut;
                f.SetStyle(s);
                break;
            }
            case 3:
                // Pitch numbers beyond the three known ones mean the default pitch.
                if (n) {
                    int v = *n & 0xFF;
                    f.SetPitch(v <= ui::fpFixed ? ui::TFontPitch(v) : ui::fpDefault);
                }
                break;
            case 4:
                f.SetColor(TextToColor(fieldText));
                break;
            case 5:
                if (n) f.SetCharset(uint8_t(*n & 0xFF));
                break;
            default:
                break;
        }
    }
}

std::u16string RectToText(const TRect& r) {
    return ui::Format(u"[%d,%d,%d,%d]", {r.Left, r.Top, r.Right, r.Bottom});
}

std::u16string PointToText(const TPoint& p) { return ui::Format(u"[%d,%d]", {p.X, p.Y}); }

namespace {

// Drops one bracket of ( [ { at the start together with one of ) ] } at the end.
std::u16string_view unbracket(std::u16string_view t) {
    if (t.size() >= 2 && std::u16string_view(u"([{").find(t.front()) != std::u16string_view::npos &&
        std::u16string_view(u")]}").find(t.back()) != std::u16string_view::npos)
        return t.substr(1, t.size() - 2);
    return t;
}

int32_t intOr(std::u16string_view s, int32_t def) {
    auto v = ParseIntegerText(ui::Trim(s));
    return v ? *v : def;
}

// Takes the text before the next comma into `out`; false when there is no comma.
bool nextField(std::u16string_view& t, int32_t& out) {
    std::size_t c = t.find(u',');
    if (c == std::u16string_view::npos) return false;
    out = intOr(t.substr(0, c), out);
    t.remove_prefix(c + 1);
    return true;
}

}  // namespace

TRect TextToRect(std::u16string_view t, const TRect& Default) {
    TRect r = Default;
    if (t.empty()) return r;
    t = unbracket(t);
    if (!nextField(t, r.Left) || !nextField(t, r.Top) || !nextField(t, r.Right)) return r;
    r.Bottom = intOr(t, Default.Bottom);
    return r;
}

TPoint TextToPoint(std::u16string_view t, const TPoint& Default) {
    TPoint p = Default;
    if (t.empty()) return p;
    t = unbracket(t);
    if (!nextField(t, p.X)) return p;
    p.Y = intOr(t, Default.Y);
    return p;
}

}  // namespace inifile
