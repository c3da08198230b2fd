// String values: line-break markers, chunks of long values with their hash, quoted, hex,
// binary and wide strings.
#include <algorithm>
#include <cstring>

#include "inifile/IniContext.h"
#include "inifile/ProfileAccess.h"
#include "inifile/SafeIniFiles.h"
#include "ui/Text.h"

namespace inifile {

using detail::WithContext;

namespace {
constexpr std::size_t kChunkSize = 65532;   // characters per stored chunk, quotes excluded
constexpr char16_t kMarker[] = u"<@\\n@>";  // a line break inside a stored value
constexpr std::size_t kMarkerLen = 6;
constexpr int32_t kNoCount = -65535;        // the count key is missing or no integer
constexpr char16_t kEmptyStringMarker[] = u"_$EmptyString$_";
// Beyond this many chunks or items, only the keys present in the section are visited, so a
// damaged count cannot make a read or a delete run for hours.
constexpr int32_t kScanThreshold = 1024;

bool needsQuotes(char16_t c) { return c <= 32 || c == u'"'; }

std::u16string countKey(const std::u16string& Ident) { return Ident + u"__$Count"; }
std::u16string hashKey(const std::u16string& Ident) { return Ident + u"__$Hash"; }
std::u16string lineKey(const std::u16string& Ident, int32_t n) {
    return Ident + u"__$Line" + ui::IntToStr(n);
}
}  // namespace

void TSafeIniFile::PutTextToList(const std::u16string& AText, TStrings& AList) {
    AList.Clear();
    if (AText.empty()) return;
    std::u16string B;
    B.reserve(std::min(AText.size() + 16, kChunkSize + 1));
    std::u16string F;
    bool haveF = false;
    auto flush = [&] {
        std::u16string C = B;
        if (!haveF) {
            F = C;
            haveF = !F.empty();
        }
        if (!C.empty() && (needsQuotes(C.front()) || needsQuotes(C.back()))) C = u"\"" + C + u"\"";
        AList.Add(C);
        B.clear();
    };
    bool stopped = false;
    for (char16_t c : AText) {
        if (B.size() == kChunkSize) {
            flush();
            if (FTrimLongStrings) {
                stopped = true;
                break;
            }
        }
        if (c == u'\n') {
            if (B.size() + kMarkerLen > kChunkSize) {
                flush();
                if (FTrimLongStrings) {
                    stopped = true;
                    break;
                }
            }
            B += kMarker;
        } else if (c != u'\r') {
            B += c;
        }
    }
    if (!stopped && !B.empty()) flush();
    if (!stopped && AList.Count() > 1)
        AList.SetObjects(0, reinterpret_cast<void*>(uintptr_t(ChunkHash(F))));
}

void TSafeIniFile::WriteString(const std::u16string& Section, const std::u16string& Ident,
                               const std::u16string& Value) {
    WithContext(u"TSafeIniFile.WriteString", [&] {
        CheckSection(Section);
        CheckIdent(Ident);
        ui::TStringList L;
        PutTextToList(Value, L);
        TLockGuard g(*this);
        if (!FTrimLongStrings) DeleteChunkKeys(Section, Ident, false);
        if (L.Count() == 0) {
            WriteRawValue(Section, Ident, u"");
            return;
        }
        WriteRawValue(Section, Ident, L.Strings(0));
        if (L.Count() < 2 || FTrimLongStrings) return;
        WriteRawValue(Section, countKey(Ident), ui::IntToStr(L.Count()));
        auto hash = int32_t(uint32_t(reinterpret_cast<uintptr_t>(L.Objects(0))));
        WriteRawValue(Section, hashKey(Ident), ui::IntToStr(hash));
        for (int i = 1; i < L.Count(); ++i)
            WriteRawValue(Section, lineKey(Ident, i + 1), L.Strings(i));
    });
}

std::vector<int32_t> TSafeIniFile::PresentNumbers(const std::u16string& Section,
                                                  const std::u16string& Prefix, int32_t First,
                                                  int32_t Last) {
    std::vector<int32_t> found;
    ui::TStringList keys;
    ReadSection(Section, keys);
    for (int i = 0; i < keys.Count(); ++i) {
        std::u16string_view k = keys.Strings(i);
        if (k.size() <= Prefix.size() || !ui::SameText(k.substr(0, Prefix.size()), Prefix))
            continue;
        std::u16string_view digits = k.substr(Prefix.size());
        if (digits.size() > 10 || (digits[0] == u'0' && digits.size() > 1)) continue;
        int64_t n = 0;
        bool ok = true;
        for (char16_t c : digits) {
            ok = ok && c >= u'0' && c <= u'9';
            n = n * 10 + (c - u'0');
        }
        if (ok && n >= First && n <= Last) found.push_back(int32_t(n));
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

std::u16string TSafeIniFile::ReadString(const std::u16string& Section,
                                        const std::u16string& Ident,
                                        const std::u16string& Default) {
    return WithContext(u"TSafeIniFile.ReadString", [&] {
        CheckSection(Section);
        CheckIdent(Ident);
        TLockGuard g(*this);
        if (FTrimLongStrings) return ReadRawValue(Section, Ident, Default);
        auto count = ParseIntegerText(ReadRawValue(Section, countKey(Ident), u""));
        int32_t n = count ? *count : kNoCount;
        uint32_t H = 0;
        std::u16string result = ReadRawValue(Section, Ident, Default, &H);
        if (n > 1) {
            auto S = ParseIntegerText(ReadRawValue(Section, hashKey(Ident), u""));
            if (S && uint32_t(*S) == H) {
                if (n <= kScanThreshold) {
                    for (int32_t i = 2; i <= n; ++i)
                        result += ReadRawValue(Section, lineKey(Ident, i), u"");
                } else {
                    for (int32_t i : PresentNumbers(Section, Ident + u"__$Line", 2, n))
                        result += ReadRawValue(Section, lineKey(Ident, i), u"");
                }
            }
        }
        return result;
    });
}

void TSafeIniFile::DeleteChunkKeys(const std::u16string& Section, const std::u16string& Ident,
                                   bool DeleteMain) {
    TLockGuard g(*this);
    int32_t count = ReadInteger(Section, countKey(Ident), kNoCount);
    if (count != kNoCount) {
        RemoveKey(Section, countKey(Ident));
        RemoveKey(Section, hashKey(Ident));
        if (count <= kScanThreshold) {
            for (int32_t n = count; n >= 2; --n) RemoveKey(Section, lineKey(Ident, n));
        } else {
            auto present = PresentNumbers(Section, Ident + u"__$Line", 2, count);
            for (auto it = present.rbegin(); it != present.rend(); ++it)
                RemoveKey(Section, lineKey(Ident, *it));
        }
    }
    if (DeleteMain) RemoveKey(Section, Ident);
}

void TSafeIniFile::WriteQuotedString(const std::u16string& Section, const std::u16string& Ident,
                                     const std::u16string& Value, char16_t QuotedChar) {
    WithContext(u"TSafeIniFile.WriteQuotedString", [&] {
        if (QuotedChar == 0) QuotedChar = u'"';
        WriteString(Section, Ident, QuotedChar + Value + QuotedChar);
    });
}

std::u16string TSafeIniFile::ReadQuotedString(const std::u16string& Section,
                                              const std::u16string& Ident,
                                              const std::u16string& Default,
                                              char16_t QuotedChar) {
    return WithContext(u"TSafeIniFile.ReadQuotedString", [&] {
        if (QuotedChar == 0) QuotedChar = u'"';
        std::u16string r = ReadString(Section, Ident, Default);
        if (!r.empty() && r.front() == QuotedChar && r.back() == QuotedChar)
            r = r.size() == 1 ? std::u16string() : r.substr(1, r.size() - 2);
        return r;
    });
}

void TSafeIniFile::WriteHexString(const std::u16string& Section, const std::u16string& Ident,
                                  const std::u16string& Value) {
    WithContext(u"TSafeIniFile.WriteHexString",
                [&] { WriteString(Section, Ident, StringToHex(Value)); });
}

std::u16string TSafeIniFile::ReadHexString(const std::u16string& Section,
                                           const std::u16string& Ident,
                                           const std::u16string& Default) {
    return WithContext(u"TSafeIniFile.ReadHexString", [&] {
        return HexToString(ReadString(Section, Ident, StringToHex(Default)));
    });
}

void TSafeIniFile::WriteBinaryData(const std::u16string& Section, const std::u16string& Name,
                                   const void* Buffer, int32_t BufSize) {
    WithContext(u"TSafeIniFile.WriteBinaryData", [&] {
        // A negative size or a missing buffer stands for no bytes.
        std::size_t n = Buffer && BufSize > 0 ? std::size_t(BufSize) : 0;
        std::string bytes(static_cast<const char*>(Buffer), n);
        WriteHexString(Section, Name, AnsiToText(bytes));
    });
}

int32_t TSafeIniFile::ReadBinaryData(const std::u16string& Section, const std::u16string& Name,
                                     void* Buffer, int32_t BufSize) {
    return WithContext(u"TSafeIniFile.ReadBinaryData", [&]() -> int32_t {
        std::string bytes = TextToAnsi(ReadHexString(Section, Name, u""));
        if (bytes.empty()) return 0;
        // A negative size or a missing buffer has room for nothing.
        std::size_t room = Buffer && BufSize > 0 ? std::size_t(BufSize) : 0;
        std::size_t n = std::min(bytes.size(), room);
        if (n > 0) std::memcpy(Buffer, bytes.data(), n);
        if (n < room) std::memset(static_cast<char*>(Buffer) + n, 0, room - n);
        return int32_t(n);
    });
}

void TSafeIniFile::WriteWideString(const std::u16string& Section, const std::u16string& Ident,
                                   const std::u16string& Value) {
    if (Value.empty()) {
        WriteString(Section, Ident, u"");
        return;
    }
    std::string bytes;
    bytes.reserve(Value.size() * 2);
    for (char16_t c : Value) {
        bytes += char(c & 0xFF);
        bytes += char(c >> 8);
    }
    WriteBinaryData(Section, Ident, bytes.data(), int32_t(bytes.size()));
}

std::u16string TSafeIniFile::ReadWideString(const std::u16string& Section,
                                            const std::u16string& Ident,
                                            const std::u16string& Default) {
    return WithContext(u"TSafeIniFile.ReadWideString", [&] {
        std::u16string s = ReadString(Section, Ident, kEmptyStringMarker);
        if (s == kEmptyStringMarker) return Default;
        std::string bytes = TextToAnsi(ReadHexString(Section, Ident, u""));
        std::u16string r;
        r.reserve(bytes.size() / 2);
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            r += char16_t(static_cast<unsigned char>(bytes[i]) |
                          static_cast<unsigned char>(bytes[i + 1]) << 8);
        return r;
    });
}

}  // namespace inifile
