#pragma once
// UTF-16 text helpers shared by every subsystem. UTF-8 appears only at the platform seam.
#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

using WideString = std::u16string;

// Lone surrogates become U+FFFD; never throws.
std::string ToUtf8(std::u16string_view s);
// Invalid sequences become U+FFFD; never throws.
std::u16string FromUtf8(std::string_view s);

// ASCII letters a-z only; every other code unit is left alone.
std::u16string UpperAscii(std::u16string_view s);
std::u16string LowerAscii(std::u16string_view s);
bool SameTextAscii(std::u16string_view a, std::u16string_view b);
// Ordinal comparison with a-z folded to A-Z: <0, 0, >0.
int CompareTextAscii(std::u16string_view a, std::u16string_view b);

// Simple upper-casing beyond ASCII (Latin-1, Latin Extended-A, Greek, Cyrillic), for finds
// that ignore case the way the user's locale would.
char16_t UpperChar(char16_t c);
bool SameText(std::u16string_view a, std::u16string_view b);

// File-name wildcards: * any run (also none), ? one character, ASCII letters ignoring case.
bool MatchesMask(std::u16string_view mask, std::u16string_view name);

std::u16string IntToStr(int64_t v);
std::u16string Trim(std::u16string_view s);  // removes code units <= U+0020 at both ends

}  // namespace ui
