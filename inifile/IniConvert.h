#pragma once
// Text forms of the values the settings file stores, and their parsers. No file access.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Color.h"
#include "ui/Font.h"

namespace inifile {

// Days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;

struct TRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TRect&) const = default;
};
struct TPoint {
    int32_t X = 0, Y = 0;
    bool operator==(const TPoint&) const = default;
};

// The fixed conventions of the stored dates, times and numbers.
struct TFormatSettings {
    std::u16string ShortDateFormat, LongDateFormat, ShortTimeFormat, LongTimeFormat;
    char16_t DateSeparator, TimeSeparator, DecimalSeparator;
};
const TFormatSettings& IniFormatSettings();

// Optional leading spaces, optional sign, then decimal digits that fit 32 bits signed, or
// after $ x X 0x 0X up to eight hex digits taken as a 32-bit pattern. Nothing may follow.
std::optional<int32_t> ParseIntegerText(std::u16string_view s);

// h := h + c, then h := h - rotl(h, 13), over the UTF-16 code units, modulo 2^32.
uint32_t ChunkHash(std::u16string_view s);

// Windows-1252 with its five unassigned bytes mapped to the C1 controls of the same value, so
// every byte round-trips; a character with no byte becomes '?'.
std::string TextToAnsi(std::u16string_view s);
std::u16string AnsiToText(std::string_view bytes);
// Two upper-case hex digits per ANSI byte, and back (a bad pair gives '?', an odd last digit
// is ignored).
std::u16string StringToHex(std::u16string_view s);
std::u16string HexToString(std::u16string_view hex);

// Up to 15 significant digits, '.' as separator, E notation outside 1E-4 < |x| < 1E15.
std::u16string FloatToText(double v);
std::optional<double> TextToFloat(std::u16string_view s);
// dd.mm.yyyy, hh:nn:ss.zzz and the two joined by a blank (the time left out at midnight).
std::u16string DateToText(TDateTime v);
std::u16string TimeToText(TDateTime v);
std::u16string DateTimeToText(TDateTime v);
std::optional<TDateTime> TextToDate(std::u16string_view s);
std::optional<TDateTime> TextToTime(std::u16string_view s);
std::optional<TDateTime> TextToDateTime(std::u16string_view s);
std::optional<TDateTime> EncodeDateTime(int Year, int Month, int Day, int Hour = 0,
                                        int Minute = 0, int Second = 0, int MilliSecond = 0);

// The colour's name, or $ and eight upper-case hex digits.
std::u16string ColorToText(ui::TColor c);
// A colour name ignoring case, or integer text; EConvertError otherwise.
ui::TColor TextToColor(std::u16string_view t);
// Name,Size,Styles,Pitch,Colour,Charset ("Tahoma,8,B,0,clWindowText,1").
std::u16string FontToText(const ui::TFont& f);
// Applies the fields of `t` to `f` with one change notice at the end; a bad colour raises
// EConvertError after the fields before it were applied.
void TextToFont(std::u16string_view t, ui::TFont& f);
std::u16string RectToText(const TRect& r);
std::u16string PointToText(const TPoint& p);
TRect TextToRect(std::u16string_view t, const TRect& Default);
TPoint TextToPoint(std::u16string_view t, const TPoint& Default);

// Lower case beyond ASCII (Latin-1, Latin Extended-A, Greek, Cyrillic).
std::u16string LowerText(std::u16string_view s);

}  // namespace inifile
