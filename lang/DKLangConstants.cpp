#include "lang/DKLangConstants.h"

#include "lang/DKLangTranslations.h"
#include "platform/Platform.h"
#include "ui/Text.h"

namespace lang {

namespace {
constexpr uint8_t kStreamVersion = 3;
}

bool IsValidIdent(std::u16string_view S) {
    if (S.empty()) return false;
    if (S[0] != u'_' && !IsUnicodeLetter(S[0])) return false;
    for (std::size_t i = 1; i < S.size(); ++i)
        if (S[i] != u'_' && !IsUnicodeLetter(S[i]) && !IsUnicodeDigit(S[i])) return false;
    return true;
}

bool TDKLang_Constants::NameEq::operator()(const std::u16string& a, const std::u16string& b) const {
    return ui::SameTextAscii(a, b);
}

void TDKLang_Constants::Add(const std::u16string& wsName, const std::u16string& wsValue,
                            TDKLang_TranslationStates TranStates) {
    if (!IsValidIdent(wsName)) throw ui::EDKLangError(u"Invalid constant name (\"%s\")", {wsName});
    if (FMap.count(wsName)) throw ui::EDKLangError(u"Duplicate constant name (\"%s\")", {wsName});
    auto c = std::make_unique<TDKLang_Constant>();
    c->wsName = wsName;
    c->wsValue = wsValue;
    c->wsDefValue = wsValue;
    c->TranStates = TranStates;
    FMap.emplace(wsName, c.get());
    FItems.push_back(std::move(c));
}

TDKLang_Constant* TDKLang_Constants::FindConstName(std::u16string_view wsName) const {
    auto it = FMap.find(std::u16string(wsName));
    return it == FMap.end() ? nullptr : it->second;
}

std::u16string TDKLang_Constants::GetValues(std::u16string_view wsName) const {
    if (auto* c = FindConstName(wsName)) return c->wsValue;
    throw ui::EDKLangError(u"Constant \"%s\" not found", {std::u16string(wsName)});
}

void TDKLang_Constants::SetValues(std::u16string_view wsName, const std::u16string& wsValue) {
    auto* c = FindConstName(wsName);
    if (!c) throw ui::EListError(u"Item not found");
    c->wsValue = wsValue;
}

const TDKLang_Constant& TDKLang_Constants::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw ui::EListError(u"List index out of bounds (%d)", {Index});
    return *FItems[std::size_t(Index)];
}

void TDKLang_Constants::Clear() {
    FMap.clear();
    FItems.clear();
}

void TDKLang_Constants::LoadFromStream(TBytesStream& Stream) {
    Clear();
    uint8_t v = Stream.ReadByte();
    if (v > kStreamVersion)
        throw ui::EDKLangError(u"Stream version (%d) is greater than the current one (%d)",
                               {int(v), int(kStreamVersion)});
    if (v <= 1)
        FAutoSaveLangSource = v == 1;
    else
        FAutoSaveLangSource = Stream.ReadByte() != 0;
    int32_t count = Stream.ReadInt32();
    for (int32_t i = 0; i < count; ++i) {
        std::u16string name = v == 3 ? Stream.ReadUtf16String() : Stream.ReadUtf8String();
        std::u16string value = v >= 2 ? Stream.ReadUtf16String() : Stream.ReadUtf8String();
        Add(name, value, 0);
    }
}

void TDKLang_Constants::SaveToStream(TBytesStream& Stream) const {
    Stream.WriteByte(kStreamVersion);
    Stream.WriteByte(FAutoSaveLangSource ? 1 : 0);
    Stream.WriteInt32(Count());
    for (const auto& c : FItems) {
        Stream.WriteUtf16String(c->wsName);
        Stream.WriteUtf16String(c->wsValue);
    }
}

bool TDKLang_Constants::LoadFromResource(uintptr_t, const std::u16string& wsResName) {
    if (!platform::hasPlatform()) return false;
    auto data = platform::thePlatform().resources().FindResource(ui::ToUtf8(wsResName));
    if (!data) return false;
    TBytesStream s(std::move(*data));
    LoadFromStream(s);
    return true;
}

std::vector<uint8_t> TDKLang_Constants::AsRawString() const {
    TBytesStream s;
    SaveToStream(s);
    return s.Bytes();
}

void TDKLang_Constants::SetAsRawString(const std::vector<uint8_t>& Value) {
    if (Value.empty()) return;
    TBytesStream s(Value);
    LoadFromStream(s);
}

void TDKLang_Constants::TranslateFrom(const TDKLang_Constants* Constants) {
    for (auto& c : FItems) {
        if (!Constants)
            c->wsValue = c->wsDefValue;
        else if (auto* t = Constants->FindConstName(c->wsName))
            c->wsValue = t->wsValue;
    }
}

void TDKLang_Constants::WriteLangSource(ui::TStrings& Strings, TDKLang_TranslationStates States) {
    for (const auto& c : FItems)
        if (!(c->TranStates & States)) Strings.Add(c->wsName + u"=" + EncodeControlChars(c->wsValue));
}

}  // namespace lang
