// Fuzz target of the text forms of typed settings: colours, fonts, rectangles, points,
// numbers, dates, hex and ANSI strings. Bad text may only raise the converters' own errors;
// whatever a text makes of a value, the value's own text form gives the same value back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "inifile/IniConvert.h"
#include "ui/Exceptions.h"
#include "ui/Font.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

// The input as UTF-16 units, two bytes each, little end first (an odd last byte is dropped).
std::u16string units(const uint8_t* data, std::size_t size) {
    std::u16string s;
    for (std::size_t i = 0; i + 1 < size; i += 2) s.push_back(char16_t(data[i] | data[i + 1] << 8));
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    using namespace inifile;
    const std::u16string t = units(Data, Size);
    try {
        ui::TColor c = TextToColor(t);
        check(TextToColor(ColorToText(c)) == c);
    } catch (const ui::Exception&) {
    }
    ui::TFont font;
    try {
        TextToFont(t, font);
    } catch (const ui::Exception&) {
    }
    // Whatever the text made of the font, its own text form gives the same font back.
    ui::TFont copy;
    const std::u16string form = FontToText(font);
    TextToFont(form, copy);
    check(FontToText(copy) == form);

    const TRect r = TextToRect(t, TRect{1, 2, 3, 4});
    check(TextToRect(RectToText(r), TRect{}) == r);
    const TPoint p = TextToPoint(t, TPoint{5, 6});
    check(TextToPoint(PointToText(p), TPoint{}) == p);

    try {
        (void)ParseIntegerText(t);
        (void)TextToFloat(t);
        (void)TextToDateTime(t);
        (void)HexToString(t);
        (void)AnsiToText(std::string_view(reinterpret_cast<const char*>(Data), Size));
        (void)LowerText(t);
    } catch (const ui::Exception&) {
    }
    return 0;
}
