// Numbers, dates, hashes and the ANSI code page of the stored values.
#include "inifile/IniConvert.h"
#include "ui/Ansi.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "ui/Exceptions.h"
#include "ui/Text.h"

namespace inifile {

const TFormatSettings& IniFormatSettings() {
    static const TFormatSettings s{u"dd.mm.yyyy", u"dd.mm.yyyy", u"hh:nn:ss.zzzz",
                                   u"hh:nn:ss.zzzz", u'.', u':', u'.'};
    return s;
}

namespace {
int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}
}  // namespace

std::optional<int32_t> ParseIntegerText(std::u16string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == u' ') ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) neg = s[i++] == u'-';
    bool hex = false;
    if (i < s.size() && (s[i] == u'$' || s[i] == u'x' || s[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= s.size()) return std::nullopt;
    if (hex) {
        if (s.size() - i > 8) return std::nullopt;
        uint32_t v = 0;
        for (; i < s.size(); ++i) {
            int d = hexDigit(s[i]);
            if (d < 0) return std::nullopt;
            v = v << 4 | uint32_t(d);
        }
        return int32_t(neg ? 0u - v : v);
    }
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < u'0' || s[i] > u'9') return std::nullopt;
        v = v * 10 + (s[i] - u'0');
        if (v > int64_t(INT32_MAX) + 1) return std::nullopt;
    }
    if (neg) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return std::nullopt;
    return int32_t(v);
}

uint32_t ChunkHash(std::u16string_view s) {
    uint32_t h = 0;
    for (char16_t c : s) {
        h += c;
        h -= (h << 13) | (h >> 19);
    }
    return h;
}

std::string TextToAnsi(std::u16string_view s) { return ui::TextToAnsi(s); }
std::u16string AnsiToText(std::string_view bytes) { return ui::AnsiToText(bytes); }

std::u16string StringToHex(std::u16string_view s) {
    static const char16_t digits[] = u"0123456789ABCDEF";
    std::string bytes = TextToAnsi(s);
    std::u16string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::u16string HexToString(std::u16string_view hex) {
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        int hi = hexDigit(hex[i]), lo = hexDigit(hex[i + 1]);
        bytes += hi < 0 || lo < 0 ? '?' : char(hi << 4 | lo);
    }
    return AnsiToText(bytes);
}

std::u16string FloatToText(double v) {
    if (std::isnan(v)) return u"NAN";
    if (std::isinf(v)) return v < 0 ? u"-INF" : u"INF";
    if (v == 0) return u"0";
    // %g switches to E notation exactly where the stored form does: exponent below -4 or at
    // least the precision (15).
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    std::string s(buf), out;
    std::size_t e = s.find('e');
    if (e == std::string::npos) return ui::FromUtf8(s);
    out = s.substr(0, e) + "E";
    std::size_t i = e + 1;
    if (s[i] == '-') out += '-';
    if (s[i] == '-' || s[i] == '+') ++i;
    while (i + 1 < s.size() && s[i] == '0') ++i;
    out += s.substr(i);
    return ui::FromUtf8(out);
}

std::optional<double> TextToFloat(std::u16string_view s) {
    std::u16string t = ui::Trim(s);
    if (t.empty()) return std::nullopt;
    std::string a;
    for (char16_t c : t) {
        if (c > 0x7F) return std::nullopt;
        a += char(c);
    }
    std::size_t i = 0;
    bool neg = false;
    if (a[i] == '+' || a[i] == '-') neg = a[i++] == '-';
    std::string rest = a.substr(i);
    std::string up = ui::ToUtf8(ui::UpperAscii(ui::FromUtf8(rest)));
    if (up == "INF") return neg ? -INFINITY : INFINITY;
    if (up == "NAN") return NAN;
    // Grammar: digits [. digits] [E [sign] digits], at least one mantissa digit.
    std::size_t j = 0, mant = 0;
    while (j < rest.size() && rest[j] >= '0' && rest[j] <= '9') ++j, ++mant;
    if (j < rest.size() && rest[j] == '.') {
        ++j;
        while (j < rest.size() && rest[j] >= '0' && rest[j] <= '9') ++j, ++mant;
    }
    if (mant == 0) return std::nullopt;
    if (j < rest.size() && (rest[j] == 'e' || rest[j] == 'E')) {
        ++j;
        if (j < rest.size() && (rest[j] == '+' || rest[j] == '-')) ++j;
        std::size_t ed = 0;
        while (j < rest.size() && rest[j] >= '0' && rest[j] <= '9') ++j, ++ed;
        if (ed == 0) return std::nullopt;
    }
    if (j != rest.size()) return std::nullopt;
    double v = 0;
    auto r = std::from_chars(rest.data(), rest.data() + rest.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // Too small for a double is zero; too large is no number.
        std::size_t e = rest.find_first_of("eE");
        bool tiny = e != std::string::npos ? rest[e + 1] == '-' : rest[0] == '0' || rest[0] == '.';
        if (tiny) return neg ? -0.0 : 0.0;
        return std::nullopt;
    }
    if (r.ec != std::errc() || r.ptr != rest.data() + rest.size()) return std::nullopt;
    return neg ? -v : v;
}

namespace {

constexpr double kMsPerDay = 86400000.0;

// Days since 1899-12-30 of a civil date, and back (proleptic Gregorian).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468 + 25569;  // 25569: 1970-01-01 as a day count
}

void civilFromDays(int64_t z, int& y, int& m, int& d) {
    z -= 25569;
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(int64_t(yoe) + era * 400 + (m <= 2));
}

// The date part and the time of day in milliseconds. The fraction counts from midnight
// also for dates before 1899-12-30, whose values are negative.
void split(TDateTime v, int64_t& day, int64_t& ms) {
    double whole = std::trunc(v);
    day = int64_t(whole);
    ms = int64_t(std::llround(std::abs(v - whole) * kMsPerDay));
    if (ms >= int64_t(kMsPerDay)) ms = int64_t(kMsPerDay) - 1;
}

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int daysIn(int y, int m) {
    static const int n[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : n[m - 1];
}

// Unsigned decimal field of 1 to `maxDigits` digits.
std::optional<int> field(std::u16string_view s, std::size_t maxDigits) {
    if (s.empty() || s.size() > maxDigits) return std::nullopt;
    int v = 0;
    for (char16_t c : s) {
        if (c < u'0' || c > u'9') return std::nullopt;
        v = v * 10 + (c - u'0');
    }
    return v;
}

std::vector<std::u16string_view> splitAt(std::u16string_view s, char16_t sep) {
    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t p = s.find(sep, start);
        parts.push_back(s.substr(start, p == std::u16string_view::npos ? p : p - start));
        if (p == std::u16string_view::npos) return parts;
        start = p + 1;
    }
}

std::u16string two(int v) { return ui::Format(u"%.2d", {v}); }

}  // namespace

std::optional<TDateTime> EncodeDateTime(int Year, int Month, int Day, int Hour, int Minute,
                                        int Second, int MilliSecond) {
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
        Day > daysIn(Year, Month) || Hour < 0 || Hour > 23 || Minute < 0 || Minute > 59 ||
        Second < 0 || Second > 59 || MilliSecond < 0 || MilliSecond > 999)
        return std::nullopt;
    double date = double(daysFromCivil(Year, unsigned(Month), unsigned(Day)));
    double time = (((Hour * 60.0 + Minute) * 60.0 + Second) * 1000.0 + MilliSecond) / kMsPerDay;
    return date < 0 ? date - time : date + time;
}

std::u16string DateToText(TDateTime v) {
    int64_t day, ms;
    split(v, day, ms);
    int y, m, d;
    civilFromDays(day, y, m, d);
    return two(d) + u"." + two(m) + u"." + ui::Format(u"%.4d", {y});
}

std::u16string TimeToText(TDateTime v) {
    int64_t day, ms;
    split(v, day, ms);
    int h = int(ms / 3600000), n = int(ms / 60000 % 60), s = int(ms / 1000 % 60),
        z = int(ms % 1000);
    return two(h) + u":" + two(n) + u":" + two(s) + u"." + ui::Format(u"%.3d", {z});
}

std::u16string DateTimeToText(TDateTime v) {
    int64_t day, ms;
    split(v, day, ms);
    return ms == 0 ? DateToText(v) : DateToText(v) + u" " + TimeToText(v);
}

std::optional<TDateTime> TextToDate(std::u16string_view s) {
    std::u16string t = ui::Trim(s);
    auto parts = splitAt(t, u'.');
    if (parts.size() != 3) return std::nullopt;
    auto d = field(parts[0], 2), m = field(parts[1], 2), y = field(parts[2], 4);
    if (!d || !m || !y) return std::nullopt;
    int year = *y;
    // Two-digit years: 00-49 are 2000-2049, 50-99 are 1950-1999.
    if (parts[2].size() <= 2) year += year < 50 ? 2000 : 1900;
    return EncodeDateTime(year, *m, *d);
}

std::optional<TDateTime> TextToTime(std::u16string_view s) {
    std::u16string t = ui::Trim(s);
    auto parts = splitAt(t, u':');
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    auto h = field(parts[0], 2), n = field(parts[1], 2);
    std::optional<int> sec = 0, ms = 0;
    if (parts.size() == 3) {
        auto secParts = splitAt(parts[2], u'.');
        if (secParts.size() > 2) return std::nullopt;
        sec = field(secParts[0], 2);
        if (secParts.size() == 2) ms = field(secParts[1], 3);
    }
    if (!h || !n || !sec || !ms) return std::nullopt;
    auto v = EncodeDateTime(1899, 12, 30, *h, *n, *sec, *ms);
    return v;
}

std::optional<TDateTime> TextToDateTime(std::u16string_view s) {
    std::u16string t = ui::Trim(s);
    std::size_t blank = t.find(u' ');
    if (blank == std::u16string::npos) {
        if (t.find(u':') != std::u16string::npos) return TextToTime(t);
        return TextToDate(t);
    }
    auto d = TextToDate(std::u16string_view(t).substr(0, blank));
    auto tm = TextToTime(std::u16string_view(t).substr(blank + 1));
    if (!d || !tm) return std::nullopt;
    return *d < 0 ? *d - *tm : *d + *tm;
}

std::u16string LowerText(std::u16string_view s) {
    std::u16string r(s);
    for (char16_t& c : r) {
        if (c < 0x80) {
            if (c >= u'A' && c <= u'Z') c = char16_t(c + 32);
        } else if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
            c = char16_t(c + 0x20);
        } else if (c == 0x178) {
            c = 0xFF;
        } else if (c >= 0x100 && c <= 0x17F) {
            if (c == 0x130) c = u'i';
            else if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
                if (c & 1) c = char16_t(c + 1);
            } else if (!(c & 1) && c != 0x138) {
                c = char16_t(c + 1);
            }
        } else if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) {
            c = char16_t(c + 0x20);
        } else if (c >= 0x410 && c <= 0x42F) {
            c = char16_t(c + 0x20);
        } else if (c >= 0x400 && c <= 0x40F) {
            c = char16_t(c + 0x50);
        } else if (c >= 0x460 && c <= 0x4FF && !(c & 1) && (c < 0x482 || c > 0x489)) {
            c = char16_t(c + 1);
        }
    }
    return r;
}

}  // namespace inifile
