#include "lang/DKLangTranslations.h"

#include <fstream>
#include <new>

#include "lang/SortedFind.h"
#include "platform/Platform.h"
#include "ui/Text.h"

namespace lang {

// ---- Sections ----

int TDKLang_CompTranslation::Add(int32_t iID, const std::u16string& wsValue,
                                 TDKLang_TranslationStates TranStates) {
    int idx;
    if (FindID(iID, idx))
        throw ui::EDKLangError(u"Duplicate property value translation ID (%d)", {int(iID)});
    FItems.insert(FItems.begin() + idx, TDKLang_PropValueTranslation{iID, wsValue, TranStates});
    return idx;
}

bool TDKLang_CompTranslation::FindID(int32_t iID, int& iIndex) const {
    return FindSorted(
        Count(),
        [&](int i) {
            int32_t v = FItems[std::size_t(i)].iID;
            return v < iID ? -1 : v == iID ? 0 : 1;
        },
        iIndex);
}

int TDKLang_CompTranslation::IndexOfID(int32_t iID) const {
    int idx;
    return FindID(iID, idx) ? idx : -1;
}

const TDKLang_PropValueTranslation* TDKLang_CompTranslation::FindPropByID(int32_t iID) const {
    int idx = IndexOfID(iID);
    return idx < 0 ? nullptr : &FItems[std::size_t(idx)];
}

const TDKLang_PropValueTranslation& TDKLang_CompTranslation::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw ui::EListError(u"List index out of bounds (%d)", {Index});
    return FItems[std::size_t(Index)];
}

// ---- Parameters ----

namespace {
int IndexOfParam(const ui::TStrings& Params, std::u16string_view wsName) {
    for (int i = 0; i < Params.Count(); ++i) {
        const std::u16string& line = Params.Strings(i);
        auto eq = line.find(u'=');
        if (eq != std::u16string::npos && ui::SameText(std::u16string_view(line).substr(0, eq), wsName))
            return i;
    }
    return -1;
}
}  // namespace

std::u16string ParamValue(const ui::TStrings& Params, std::u16string_view wsName) {
    int i = IndexOfParam(Params, wsName);
    if (i < 0) return {};
    const std::u16string& line = Params.Strings(i);
    return line.substr(line.find(u'=') + 1);
}

void SetParamValue(ui::TStrings& Params, std::u16string_view wsName, const std::u16string& wsValue) {
    int i = IndexOfParam(Params, wsName);
    if (wsValue.empty()) {
        if (i >= 0) Params.Delete(i);
        return;
    }
    std::u16string line = std::u16string(wsName) + u"=" + wsValue;
    if (i >= 0)
        Params.SetStrings(i, line);
    else
        Params.Add(line);
}

// ---- Codec ----

std::u16string EncodeControlChars(std::u16string_view ws) {
    std::u16string r;
    r.reserve(ws.size());
    for (std::size_t i = 0; i < ws.size(); ++i) {
        char16_t c = ws[i];
        switch (c) {
            case u'\t': r += u"\\t"; break;
            case u'\n':
            case u'\r': {
                r += u"\\n";
                // A line break of either pair order is one "\n".
                char16_t other = c == u'\n' ? u'\r' : u'\n';
                if (i + 1 < ws.size() && ws[i + 1] == other) ++i;
                break;
            }
            case u'\\': r += u"\\\\"; break;
            default:
                if (c < 32)
                    r += ui::Format(u"\\%.2d", {int(c)});
                else
                    r += c;
        }
    }
    return r;
}

std::u16string DecodeControlChars(std::u16string_view ws) {
    auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    std::u16string r;
    r.reserve(ws.size());
    std::size_t i = 0;
    while (i < ws.size()) {
        char16_t c = ws[i];
        if (c != u'\\' || i + 1 >= ws.size()) {
            r += c;
            ++i;
            continue;
        }
        char16_t n = ws[i + 1];
        if (digit(n) && i + 2 < ws.size() && digit(ws[i + 2])) {
            r += char16_t((n - u'0') * 10 + (ws[i + 2] - u'0'));
            i += 3;
        } else if (n == u'\\') {
            r += u'\\';
            i += 2;
        } else if (n == u'n') {
            r += u"\r\n";
            i += 2;
        } else if (n == u't') {
            r += u'\t';
            i += 2;
        } else {
            r += u'\\';  // not an escape: the next character is read as it is
            ++i;
        }
    }
    return r;
}

// ---- Reader ----

namespace {
std::u16string DecodeText(const std::vector<uint8_t>& b) {
    std::u16string t;
    std::size_t n = b.size();
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        t = ui::FromUtf8(std::string_view(reinterpret_cast<const char*>(b.data()) + 3, n - 3));
    } else if (n >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF))) {
        bool le = b[0] == 0xFF;
        t.reserve((n - 2) / 2);
        for (std::size_t i = 2; i + 1 < n; i += 2)  // an odd last byte is no character
            t += le ? char16_t(b[i] | (b[i + 1] << 8)) : char16_t((b[i] << 8) | b[i + 1]);
    } else {
        t = AnsiToUnicode(std::string_view(reinterpret_cast<const char*>(b.data()), n));
    }
    auto nul = t.find(u'\0');
    if (nul != std::u16string::npos) t.resize(nul);
    return t;
}

std::vector<std::u16string> SplitLines(const std::u16string& t) {
    std::vector<std::u16string> lines;
    std::size_t start = 0, i = 0;
    while (i < t.size()) {
        if (t[i] == u'\r' || t[i] == u'\n') {
            lines.push_back(t.substr(start, i - start));
            i += (t[i] == u'\r' && i + 1 < t.size() && t[i + 1] == u'\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < t.size()) lines.push_back(t.substr(start));
    return lines;
}

std::u16string MessageOf(const std::exception& e) {
    if (auto* ue = dynamic_cast<const ui::Exception*>(&e)) return ue->Message();
    if (dynamic_cast<const std::bad_alloc*>(&e)) return u"Out of memory";
    return ui::FromUtf8(e.what());
}

enum class TSectionKind { Header, Constants, Form };
}  // namespace

void TDKLang_CompTranslations::Clear() {
    FItems.clear();
    FParams.Clear();
    FConstants.Clear();
}

TDKLang_CompTranslation& TDKLang_CompTranslations::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw ui::EListError(u"List index out of bounds (%d)", {Index});
    return *FItems[std::size_t(Index)];
}

TDKLang_CompTranslation& TDKLang_CompTranslations::Add(const std::u16string& wsComponentName) {
    FItems.push_back(std::make_unique<TDKLang_CompTranslation>(wsComponentName));
    return *FItems.back();
}

void TDKLang_CompTranslations::Text_LoadFromStream(TBytesStream& Stream, bool bParamsOnly) {
    Clear();
    Stream.SetPosition(0);
    std::vector<std::u16string> lines = SplitLines(DecodeText(Stream.Bytes()));
    Stream.SetPosition(Stream.Size());

    TSectionKind kind = TSectionKind::Header;
    TDKLang_CompTranslation* section = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::u16string line = ui::Trim(lines[i]);
        if (line.empty() || line[0] == u';') continue;
        if (line[0] == u'[' && bParamsOnly) break;
        try {
            if (line[0] == u'[') {
                if (line.size() <= 2 || line.back() != u']') continue;
                std::u16string name = ui::Trim(std::u16string_view(line).substr(1, line.size() - 2));
                if (ui::SameTextAscii(name, u"$CONSTANTS")) {
                    kind = TSectionKind::Constants;
                } else {
                    kind = TSectionKind::Form;
                    section = FindComponentName(name);
                    if (!section) section = &Add(name);
                }
                continue;
            }
            auto eq = line.find(u'=');
            if (eq == std::u16string::npos || eq == 0) continue;
            std::u16string name = ui::Trim(std::u16string_view(line).substr(0, eq));
            std::u16string value = ui::Trim(std::u16string_view(line).substr(eq + 1));
            if (name.empty()) continue;
            switch (kind) {
                case TSectionKind::Header: SetParamValue(FParams, name, value); break;
                case TSectionKind::Constants:
                    FConstants.Add(name, DecodeControlChars(value), 0);
                    break;
                case TSectionKind::Form: {
                    int32_t id = StrToIntDef(name, 0);
                    if (id > 0) section->Add(id, DecodeControlChars(value), 0);
                    break;
                }
            }
        } catch (const std::exception& e) {
            throw ui::EDKLangError(u"Loading translations failed.\r\nLine %d: %s",
                                   {int(i), MessageOf(e)});
        }
    }
}

void TDKLang_CompTranslations::Text_LoadFromFile(const std::u16string& wsFileName, bool bParamsOnly) {
    std::optional<std::vector<uint8_t>> data;
    if (platform::hasPlatform()) data = platform::thePlatform().fileSystem().ReadFile(wsFileName);
    if (!data) throw EFOpenError(u"Cannot open file \"%s\"", {wsFileName});
    TBytesStream s(std::move(*data));
    Text_LoadFromStream(s, bParamsOnly);
}

void TDKLang_CompTranslations::Text_LoadFromResource(uintptr_t, const std::u16string& wsResName,
                                                     bool bParamsOnly) {
    std::optional<std::vector<uint8_t>> data;
    if (platform::hasPlatform())
        data = platform::thePlatform().resources().FindResource(ui::ToUtf8(wsResName));
    if (!data) throw EResNotFound(u"Resource %s not found", {wsResName});
    TBytesStream s(std::move(*data));
    Text_LoadFromStream(s, bParamsOnly);
}

void TDKLang_CompTranslations::Text_LoadFromResource(uintptr_t Instance, int32_t iResID,
                                                     bool bParamsOnly) {
    // Numbered resources are named "#<number>", as the system names them.
    Text_LoadFromResource(Instance, u"#" + ui::IntToStr(iResID), bParamsOnly);
}

// ---- Writer ----

void TDKLang_CompTranslations::Text_SaveToStream(TBytesStream& Stream, bool bUnicode,
                                                 bool bSkipUntranslated) const {
    std::u16string text;
    auto line = [&](const std::u16string& s) { text += s + u"\r\n"; };
    for (int i = 0; i < FParams.Count(); ++i) line(FParams.Strings(i));
    if (FParams.Count() > 0) line(u"");
    const auto untranslated = StateBit(dktsUntranslated);
    for (const auto& sec : FItems) {
        line(ui::Format(u"[%s]", {sec->ComponentName()}));
        for (int i = 0; i < sec->Count(); ++i) {
            const auto& v = sec->Items(i);
            if (bSkipUntranslated && (v.TranStates & untranslated)) continue;
            line(ui::Format(u"%.8d=%s", {int(v.iID), EncodeControlChars(v.wsValue)}));
        }
        line(u"");
    }
    line(u"[$CONSTANTS]");
    for (int i = 0; i < FConstants.Count(); ++i) {
        const auto& c = FConstants.Items(i);
        if (bSkipUntranslated && (c.TranStates & untranslated)) continue;
        line(ui::Format(u"%s=%s", {c.wsName, EncodeControlChars(c.wsValue)}));
    }
    if (bUnicode) {
        const uint8_t bom[2] = {0xFF, 0xFE};
        Stream.WriteBuffer(bom, 2);
    }
    for (char16_t c : text) Stream.WriteUInt16(uint16_t(c));
}

void TDKLang_CompTranslations::Text_SaveToFile(const std::u16string& wsFileName, bool bUnicode,
                                               bool bSkipUntranslated) const {
    TBytesStream s;
    Text_SaveToStream(s, bUnicode, bSkipUntranslated);
    std::ofstream f(ui::ToUtf8(wsFileName), std::ios::binary | std::ios::trunc);
    if (!f) throw EFCreateError(u"Cannot create file \"%s\"", {wsFileName});
    f.write(reinterpret_cast<const char*>(s.Bytes().data()), std::streamsize(s.Size()));
    if (!f) throw EFCreateError(u"Cannot create file \"%s\"", {wsFileName});
}

// ---- Finding sections ----

int TDKLang_CompTranslations::IndexOfComponentName(std::u16string_view wsComponentName) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (ui::SameTextAscii(FItems[i]->ComponentName(), wsComponentName)) return int(i);
    return -1;
}

TDKLang_CompTranslation* TDKLang_CompTranslations::FindComponentName(
    std::u16string_view wsComponentName) const {
    int i = IndexOfComponentName(wsComponentName);
    if (i >= 0) return FItems[std::size_t(i)].get();
    auto us = wsComponentName.rfind(u'_');
    if (us == std::u16string_view::npos) return nullptr;
    for (char16_t c : wsComponentName.substr(us + 1))
        if (!IsUnicodeDigit(c)) return nullptr;
    i = IndexOfComponentName(wsComponentName.substr(0, us));
    return i >= 0 ? FItems[std::size_t(i)].get() : nullptr;
}

}  // namespace lang
