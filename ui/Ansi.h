#pragma once
// The 8-bit code page of stored texts: Windows-1252, whose five unassigned bytes stand for the
// C1 characters of the same value, so every byte round-trips.
#include <string>
#include <string_view>

namespace ui {

std::u16string AnsiToText(std::string_view bytes);
// Characters the code page lacks become '?'.
std::string TextToAnsi(std::u16string_view s);

}  // namespace ui
