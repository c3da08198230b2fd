#pragma once
// Property maps ("LangData"): which text properties of which components carry which ID,
// with the walks that capture default texts, update the map and apply a translation.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lang/DKLangMasks.h"
#include "lang/DKLangStream.h"
#include "lang/DKLangTranslations.h"
#include "ui/Classes.h"
#include "ui/StringList.h"

namespace lang {

struct TDKLang_PropEntry {
    int32_t iID = 0;
    std::u16string wsPropName;
    std::u16string wsDefLangValue;
    bool bValidated = false;
};

// Sorted by wsPropName, ordinal with a-z folded to A-Z; a path occurs once.
class TDKLang_PropEntries {
public:
    bool Add(int32_t iID, const std::u16string& wsPropName, const std::u16string& wsDefLangValue);
    bool FindPropName(std::u16string_view wsPropName, int& iIndex) const;
    int IndexOfPropName(std::u16string_view wsPropName) const;
    TDKLang_PropEntry* FindPropByName(std::u16string_view wsPropName);
    int IndexOfID(int32_t iID) const;
    void ClearValidated();
    void DeleteUnvalidated();
    int32_t MaxID() const;
    int Count() const { return int(FItems.size()); }
    TDKLang_PropEntry& Items(int Index);
    const TDKLang_PropEntry& Items(int Index) const;

    void LoadFromDFMResource(TBytesStream& Stream);
    void SaveToDFMResource(TBytesStream& Stream) const;

private:
    std::vector<TDKLang_PropEntry> FItems;
};

class TDKLang_CompEntry;

// Owns its entries; FOwner is the entry the list belongs to.
class TDKLang_CompEntries {
public:
    explicit TDKLang_CompEntries(TDKLang_CompEntry* AOwner) : FOwner(AOwner) {}
    void LoadFromDFMResource(TBytesStream& Stream, int Depth);
    void SaveToDFMResource(TBytesStream& Stream) const;
    int IndexOfComponent(const ui::TComponent* CompReference) const;
    TDKLang_CompEntry* FindComponent(const ui::TComponent* CompReference) const;
    int IndexOfCompName(std::u16string_view wsCompName) const;
    int Count() const { return int(FItems.size()); }
    TDKLang_CompEntry& Items(int Index) const;
    TDKLang_CompEntry& Add();
    void Delete(int Index);
    TDKLang_CompEntry* Owner() const { return FOwner; }

private:
    TDKLang_CompEntry* FOwner;
    std::vector<std::unique_ptr<TDKLang_CompEntry>> FItems;
};

class TDKLang_CompEntry {
public:
    explicit TDKLang_CompEntry(TDKLang_CompEntry* AOwner) : FOwner(AOwner) {}
    TDKLang_CompEntry(const TDKLang_CompEntry&) = delete;
    TDKLang_CompEntry& operator=(const TDKLang_CompEntry&) = delete;

    void BindComponent(ui::TComponent* Component);
    void UpdateEntries(bool bModifyList, bool bIgnoreEmptyProps, bool bIgnoreNonAlphaProps,
                       bool bIgnoreFontProps, const TDKLang_MaskList& IgnoreMasks,
                       const TDKLang_MaskList& StoreMasks);
    // Translation: the form's section, or none for the default-language texts.
    void ApplyTranslation(const TDKLang_CompTranslation* Translation);

    // Raises ui::EReadError when the data ends early or nests absurdly deep.
    void LoadFromDFMResource(TBytesStream& Stream, int Depth = 0);
    void SaveToDFMResource(TBytesStream& Stream) const;

    void RemoveComponent(const ui::TComponent* AComponent, bool bRecursive);
    std::u16string GetComponentNamePath(bool bIncludeRoot) const;
    std::u16string Name() const;
    ui::TComponent* Component() const { return FComponent; }
    TDKLang_CompEntry* Owner() const { return FOwner; }
    TDKLang_PropEntries* PropEntries() const { return FPropEntries.get(); }
    TDKLang_CompEntries* OwnedCompEntries() const { return FOwnedCompEntries.get(); }
    void ClearValidated();
    int32_t MaxPropID() const;
    void WriteLangSource(ui::TStrings& Strings) const;

private:
    friend class TDKLang_CompEntries;
    struct Walk;
    void Process(Walk& W);
    void PropertyWalk(Walk& W, ui::TObject& O, const std::u16string& Path, bool IsComponent,
                      const std::u16string& Prefix);
    void Store(Walk& W, const std::u16string& Path, const std::u16string& Value);
    void ApplyWalk(const TDKLang_CompTranslation* Translation, ui::TObject& O,
                   const std::u16string& Path, bool IsComponent);
    const std::u16string* TextFor(const TDKLang_CompTranslation* Translation,
                                  const std::u16string& Path) const;

    std::unique_ptr<TDKLang_PropEntries> FPropEntries;
    std::unique_ptr<TDKLang_CompEntries> FOwnedCompEntries;
    std::u16string FName;
    ui::TComponent* FComponent = nullptr;
    TDKLang_CompEntry* FOwner;
};

// True for language controllers, which never get a map entry.
bool IsLanguageController(const ui::TComponent* C);

}  // namespace lang
