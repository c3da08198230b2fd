#include "ui/Ansi.h"

#include <algorithm>
#include <iterator>

namespace ui {
namespace {
// Bytes 0x80-0x9F; the unassigned 81 8D 8F 90 9D stand for themselves.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

std::u16string AnsiToText(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        out += (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : char16_t(b);
    }
    return out;
}

std::string TextToAnsi(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char16_t c : s) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += char(c);
            continue;
        }
        const char16_t* hit = std::find(std::begin(kCp1252High), std::end(kCp1252High), c);
        out += hit != std::end(kCp1252High) ? char(0x80 + (hit - kCp1252High)) : '?';
    }
    return out;
}

}  // namespace ui
