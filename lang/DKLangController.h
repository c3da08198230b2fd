#pragma once
// The language controller: a non-visual component that carries its form's property map,
// registers with the language manager and retranslates the form at every switch.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lang/DKLangConstants.h"
#include "lang/DKLangPropMaps.h"
#include "ui/Classes.h"
#include "ui/StringList.h"

namespace lang {

enum TDKLanguageControllerOption : uint32_t {
    dklcoAutoSaveLangSource = 0,
    dklcoIgnoreEmptyProps = 1,
    dklcoIgnoreNonAlphaProps = 2,
    dklcoIgnoreFontProps = 3
};
// Bit i = option i.
using TDKLanguageControllerOptions = uint32_t;
constexpr TDKLanguageControllerOptions dklcoDefault = 0xF;
constexpr bool HasOption(TDKLanguageControllerOptions o, TDKLanguageControllerOption x) {
    return (o >> x) & 1u;
}

class TDKLanguageController : public ui::TComponent, public IDKLang_LanguageSourceObject {
    TOVRA_CLASS(TDKLanguageController)
public:
    explicit TDKLanguageController(ui::TComponent* AOwner);
    ~TDKLanguageController() override;

    void Loaded() override;
    void Notification(ui::TComponent* AComponent, ui::TOperation Operation) override;
    // "LangData" from the form reader.
    bool ReadBinaryProperty(const std::u16string& Name, const std::vector<uint8_t>& Data) override;

    std::u16string ActualSectionName() const;
    TDKLang_CompEntry& RootCompEntry() { return *FRootCompEntry; }
    void RefreshEntries(bool bModifyList);
    void DoLanguageChanging();
    void DoLanguageChanged();

    bool HasLangData() const;
    void ReadLangData(TBytesStream& Stream);
    void WriteLangData(TBytesStream& Stream);

    ui::TStrings* IgnoreList() { return &FIgnoreList; }
    void SetIgnoreList(const ui::TStrings& Value);
    ui::TStrings* StoreList() { return &FStoreList; }
    void SetStoreList(const ui::TStrings& Value);
    TDKLanguageControllerOptions Options() const { return FOptions; }
    void SetOptions(TDKLanguageControllerOptions Value) { FOptions = Value & dklcoDefault; }
    const std::u16string& SectionName() const { return FSectionName; }
    void SetSectionName(const std::u16string& Value) { FSectionName = Value; }

    ui::TNotifyEvent OnLanguageChanging;
    ui::TNotifyEvent OnLanguageChanged;

    bool RefreshLangSource() override;
    void WriteLangSource(ui::TStrings& Strings, TDKLang_TranslationStates States) override;
    std::u16string GetLangSourceSectionName() override { return ActualSectionName(); }

private:
    bool Designing() const { return ComponentState() & ui::csDesigning; }
    // Sorted, duplicates dropped.
    static void AssignSorted(ui::TStrings& Dest, const ui::TStrings& Source);

    ui::TStrings FIgnoreList;
    TDKLanguageControllerOptions FOptions = dklcoDefault;
    std::unique_ptr<TDKLang_CompEntry> FRootCompEntry;
    std::u16string FSectionName;
    ui::TStrings FStoreList;
    bool FRegistered = false;
};

}  // namespace lang
