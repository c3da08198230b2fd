#pragma once
// Translations as loaded from ".lng" text: header parameters, one section per form with
// values by property ID, and the "$CONSTANTS" section.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lang/DKLangConstants.h"
#include "lang/DKLangStream.h"
#include "ui/StringList.h"

namespace lang {

struct TDKLang_PropValueTranslation {
    int32_t iID = 0;
    std::u16string wsValue;
    TDKLang_TranslationStates TranStates = 0;
};

// The translated values of one section, sorted by ascending ID.
class TDKLang_CompTranslation {
public:
    explicit TDKLang_CompTranslation(std::u16string wsComponentName)
        : FComponentName(std::move(wsComponentName)) {}
    const std::u16string& ComponentName() const { return FComponentName; }

    int Add(int32_t iID, const std::u16string& wsValue, TDKLang_TranslationStates TranStates);
    bool FindID(int32_t iID, int& iIndex) const;
    int IndexOfID(int32_t iID) const;
    const TDKLang_PropValueTranslation* FindPropByID(int32_t iID) const;
    int Count() const { return int(FItems.size()); }
    const TDKLang_PropValueTranslation& Items(int Index) const;

private:
    std::u16string FComponentName;
    std::vector<TDKLang_PropValueTranslation> FItems;
};

class TDKLang_CompTranslations {
public:
    TDKLang_CompTranslations() = default;
    TDKLang_CompTranslations(const TDKLang_CompTranslations&) = delete;
    TDKLang_CompTranslations& operator=(const TDKLang_CompTranslations&) = delete;

    void Clear();
    void Text_LoadFromStream(TBytesStream& Stream, bool bParamsOnly = false);
    // Raises EFOpenError when the file cannot be read.
    void Text_LoadFromFile(const std::u16string& wsFileName, bool bParamsOnly = false);
    // Raises EResNotFound when the executable has no such resource.
    void Text_LoadFromResource(uintptr_t Instance, const std::u16string& wsResName,
                               bool bParamsOnly = false);
    void Text_LoadFromResource(uintptr_t Instance, int32_t iResID, bool bParamsOnly = false);
    void Text_SaveToStream(TBytesStream& Stream, bool bUnicode, bool bSkipUntranslated) const;
    void Text_SaveToFile(const std::u16string& wsFileName, bool bUnicode,
                         bool bSkipUntranslated) const;

    int IndexOfComponentName(std::u16string_view wsComponentName) const;
    TDKLang_CompTranslation* FindComponentName(std::u16string_view wsComponentName) const;
    int Count() const { return int(FItems.size()); }
    TDKLang_CompTranslation& Items(int Index) const;
    TDKLang_CompTranslation& Add(const std::u16string& wsComponentName);

    // Lines "name=value"; see ParamValue / SetParamValue.
    ui::TStrings& Params() { return FParams; }
    const ui::TStrings& Params() const { return FParams; }
    TDKLang_Constants& Constants() { return FConstants; }
    const TDKLang_Constants& Constants() const { return FConstants; }

private:
    std::vector<std::unique_ptr<TDKLang_CompTranslation>> FItems;
    ui::TStrings FParams;
    TDKLang_Constants FConstants;
};

// The value of a "name=value" line, names ignoring case; empty when absent.
std::u16string ParamValue(const ui::TStrings& Params, std::u16string_view wsName);
// Replaces the value in place, appends a new line, or removes the line for an empty value.
void SetParamValue(ui::TStrings& Params, std::u16string_view wsName, const std::u16string& wsValue);

// One-line stored form of a value and back.
std::u16string EncodeControlChars(std::u16string_view ws);
std::u16string DecodeControlChars(std::u16string_view ws);

}  // namespace lang
