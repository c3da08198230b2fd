#pragma once
// The table of localisable constants: texts built in code, looked up by name.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "lang/DKLangStream.h"
#include "ui/StringList.h"

namespace lang {

enum TDKLang_TranslationState : uint8_t { dktsUntranslated = 0, dktsAutotranslated = 1 };
// Bit set: bit 0 dktsUntranslated, bit 1 dktsAutotranslated.
using TDKLang_TranslationStates = uint8_t;
constexpr TDKLang_TranslationStates StateBit(TDKLang_TranslationState s) { return uint8_t(1u << s); }

// Something a design tool collects language-source lines from.
class IDKLang_LanguageSourceObject {
public:
    virtual ~IDKLang_LanguageSourceObject() = default;
    virtual bool RefreshLangSource() = 0;
    virtual void WriteLangSource(ui::TStrings& Strings, TDKLang_TranslationStates States) = 0;
    virtual std::u16string GetLangSourceSectionName() = 0;
};

struct TDKLang_Constant {
    std::u16string wsName;
    std::u16string wsValue;
    std::u16string wsDefValue;
    TDKLang_TranslationStates TranStates = 0;
};

// Identifier rule of constant names: a letter or "_", then letters, digits or "_".
bool IsValidIdent(std::u16string_view S);

class TDKLang_Constants : public IDKLang_LanguageSourceObject {
public:
    TDKLang_Constants() = default;
    TDKLang_Constants(const TDKLang_Constants&) = delete;
    TDKLang_Constants& operator=(const TDKLang_Constants&) = delete;

    void Add(const std::u16string& wsName, const std::u16string& wsValue,
             TDKLang_TranslationStates TranStates);
    TDKLang_Constant* FindConstName(std::u16string_view wsName) const;
    std::u16string GetValues(std::u16string_view wsName) const;
    void SetValues(std::u16string_view wsName, const std::u16string& wsValue);
    int Count() const { return int(FItems.size()); }
    // In the order the constants were added.
    const TDKLang_Constant& Items(int Index) const;
    void Clear();

    void LoadFromStream(TBytesStream& Stream);
    void SaveToStream(TBytesStream& Stream) const;
    // Main module only: Instance is carried for the shape of the call. False when absent.
    bool LoadFromResource(uintptr_t Instance, const std::u16string& wsResName);
    std::vector<uint8_t> AsRawString() const;
    void SetAsRawString(const std::vector<uint8_t>& Value);

    // Current texts from another table; none restores the defaults.
    void TranslateFrom(const TDKLang_Constants* Constants);

    bool AutoSaveLangSource() const { return FAutoSaveLangSource; }
    void SetAutoSaveLangSource(bool V) { FAutoSaveLangSource = V; }

    bool RefreshLangSource() override { return true; }
    void WriteLangSource(ui::TStrings& Strings, TDKLang_TranslationStates States) override;
    std::u16string GetLangSourceSectionName() override { return u"$CONSTANTS"; }

private:
    struct NameHash {
        // Names differing only in letter case must land in one bucket.
        std::size_t operator()(const std::u16string& s) const { return s.size(); }
    };
    struct NameEq {
        bool operator()(const std::u16string& a, const std::u16string& b) const;
    };
    std::vector<std::unique_ptr<TDKLang_Constant>> FItems;
    std::unordered_map<std::u16string, TDKLang_Constant*, NameHash, NameEq> FMap;
    bool FAutoSaveLangSource = true;
};

}  // namespace lang
