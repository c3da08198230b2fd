#include "lang/DKLangStream.h"
#include "ui/Ansi.h"

#include <algorithm>
#include <cstring>

#include "ui/Text.h"

namespace lang {

namespace {
struct CodeRange {
    char16_t lo, hi;
};
#include "lang/DKLangUnicodeData.inc"

template <std::size_t N>
bool InRanges(const CodeRange (&r)[N], char16_t c) {
    auto it = std::upper_bound(std::begin(r), std::end(r), c,
                               [](char16_t v, const CodeRange& x) { return v < x.lo; });
    return it != std::begin(r) && c <= std::prev(it)->hi;
}

}  // namespace

void TBytesStream::ReadBuffer(void* Dest, std::size_t Count) {
    if (Count > Remaining()) throw ui::EReadError(u"Stream read error");
    if (Count) std::memcpy(Dest, FBytes.data() + FPosition, Count);
    FPosition += Count;
}

uint8_t TBytesStream::ReadByte() {
    uint8_t b;
    ReadBuffer(&b, 1);
    return b;
}

uint16_t TBytesStream::ReadUInt16() {
    uint8_t b[2];
    ReadBuffer(b, 2);
    return uint16_t(b[0] | (b[1] << 8));
}

int32_t TBytesStream::ReadInt32() {
    uint8_t b[4];
    ReadBuffer(b, 4);
    return int32_t(uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) |
                   (uint32_t(b[3]) << 24));
}

std::u16string TBytesStream::ReadUtf8String() {
    std::size_t n = ReadUInt16();
    std::string s(n, '\0');
    ReadBuffer(s.data(), n);
    return ui::FromUtf8(s);
}

std::u16string TBytesStream::ReadUtf16String() {
    std::size_t n = ReadUInt16();
    if (n * 2 > Remaining()) throw ui::EReadError(u"Stream read error");
    std::u16string s(n, u'\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = char16_t(ReadUInt16());
    return s;
}

void TBytesStream::WriteBuffer(const void* Src, std::size_t Count) {
    if (!Count) return;
    const auto* p = static_cast<const uint8_t*>(Src);
    std::size_t end = FPosition + Count;
    if (end > FBytes.size()) FBytes.resize(end);
    std::memcpy(FBytes.data() + FPosition, p, Count);
    FPosition = end;
}

void TBytesStream::WriteUInt16(uint16_t V) {
    uint8_t b[2] = {uint8_t(V), uint8_t(V >> 8)};
    WriteBuffer(b, 2);
}

void TBytesStream::WriteInt32(int32_t V) {
    auto u = uint32_t(V);
    uint8_t b[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
    WriteBuffer(b, 4);
}

void TBytesStream::WriteUtf8String(std::u16string_view S) {
    std::string u = ui::ToUtf8(S);
    if (u.size() > 0xFFFF)
        throw ui::EDKLangError(u"String too long for its 16-bit length (%d bytes)", {int(u.size())});
    WriteUInt16(uint16_t(u.size()));
    WriteBuffer(u.data(), u.size());
}

void TBytesStream::WriteUtf16String(std::u16string_view S) {
    if (S.size() > 0xFFFF)
        throw ui::EDKLangError(u"String too long for its 16-bit length (%d units)", {int(S.size())});
    WriteUInt16(uint16_t(S.size()));
    for (char16_t c : S) WriteUInt16(uint16_t(c));
}

bool IsUnicodeLetter(char16_t C) { return InRanges(kLetterRanges, C); }
bool IsUnicodeDigit(char16_t C) { return InRanges(kDigitRanges, C); }

std::u16string AnsiToUnicode(std::string_view S) { return ui::AnsiToText(S); }

std::string UnicodeToAnsi(std::u16string_view S) { return ui::TextToAnsi(S); }

int32_t StrToIntDef(std::u16string_view S, int32_t Default) {
    std::size_t i = 0;
    bool neg = false;
    if (i < S.size() && (S[i] == u'-' || S[i] == u'+')) neg = S[i++] == u'-';
    bool hex = false;
    if (i < S.size() && S[i] == u'$') {
        hex = true;
        ++i;
    } else if (i + 1 < S.size() && S[i] == u'0' && (S[i + 1] == u'x' || S[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= S.size()) return Default;
    uint64_t v = 0;
    for (; i < S.size(); ++i) {
        char16_t c = S[i];
        unsigned d;
        if (c >= u'0' && c <= u'9')
            d = unsigned(c - u'0');
        else if (hex && c >= u'a' && c <= u'f')
            d = unsigned(c - u'a' + 10);
        else if (hex && c >= u'A' && c <= u'F')
            d = unsigned(c - u'A' + 10);
        else
            return Default;
        v = v * (hex ? 16 : 10) + d;
        // Hexadecimal may use all 32 bits (wrapping to negative); decimal must fit int32.
        if (hex ? v > 0xFFFFFFFFull : v > (neg ? 0x80000000ull : 0x7FFFFFFFull)) return Default;
    }
    if (hex) {
        auto u = uint32_t(v);
        return neg ? int32_t(0u - u) : int32_t(u);
    }
    return neg ? int32_t(-int64_t(v)) : int32_t(v);
}

}  // namespace lang
