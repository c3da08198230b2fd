#include "lang/DKLangController.h"

#include <algorithm>

#include "lang/DKLangManager.h"
#include "ui/ClassBuilder.h"
#include "ui/Text.h"

namespace lang {

bool IsLanguageController(const ui::TComponent* C) {
    return C && C->InheritsFrom(TDKLanguageController::StaticClassInfo());
}

const ui::TClassInfo& TDKLanguageController::StaticClassInfo() {
    using C = TDKLanguageController;
    static const ui::TClassInfo ci = [] {
        auto info = ui::TClassBuilder<C>(u"TDKLanguageController", &ui::TComponent::StaticClassInfo())
            .Obj(u"IgnoreList", &C::IgnoreList,
                 [](C& c, ui::TObject* v) {
                     if (auto* s = dynamic_cast<ui::TStrings*>(v)) c.SetIgnoreList(*s);
                 })
            .Stored([](const C& c) { return c.FIgnoreList.Count() > 0; })
            .Set(u"Options",
                 {u"dklcoAutoSaveLangSource", u"dklcoIgnoreEmptyProps", u"dklcoIgnoreNonAlphaProps",
                  u"dklcoIgnoreFontProps"},
                 &C::Options, &C::SetOptions)
            .Stored([](const C& c) { return c.FOptions != dklcoDefault; })
            .Str(u"SectionName", &C::SectionName, &C::SetSectionName)
            .Stored([](const C& c) { return !c.FSectionName.empty(); })
            .Obj(u"StoreList", &C::StoreList,
                 [](C& c, ui::TObject* v) {
                     if (auto* s = dynamic_cast<ui::TStrings*>(v)) c.SetStoreList(*s);
                 })
            .Stored([](const C& c) { return c.FStoreList.Count() > 0; })
            .Other(u"OnLanguageChanging", ui::TTypeKind::tkMethod)
            .Other(u"OnLanguageChanged", ui::TTypeKind::tkMethod)
            .Creatable()
            .Build();
        return info;
    }();
    return ci;
}

namespace {
// Lets the form reader create controllers by class name.
const bool kRegistered = [] {
    ui::RegisterClass(TDKLanguageController::StaticClassInfo());
    return true;
}();
}  // namespace

TDKLanguageController::TDKLanguageController(ui::TComponent* AOwner)
    : ui::TComponent(AOwner), FRootCompEntry(std::make_unique<TDKLang_CompEntry>(nullptr)) {
    (void)kRegistered;
    // Created in code rather than by the form reader: bind to the owner now.
    const bool loading = (AOwner && (AOwner->ComponentState() & ui::csLoading)) ||
                         (ComponentState() & ui::csLoading);
    if (!loading) FRootCompEntry->BindComponent(AOwner);
    if (!Designing() && !(AOwner && (AOwner->ComponentState() & ui::csDesigning))) {
        LangManager().AddController(this);
        FRegistered = true;
    }
}

TDKLanguageController::~TDKLanguageController() {
    if (FRegistered)
        if (TDKLanguageManager* m = LangManagerIfCreated()) m->RemoveController(this);
}

void TDKLanguageController::Loaded() {
    ui::TComponent::Loaded();
    if (!Owner()) return;
    FRootCompEntry->BindComponent(Owner());
    RefreshEntries(false);
    if (FRegistered && !Designing()) LangManager().ApplyCurrentLanguage(this);
}

void TDKLanguageController::Notification(ui::TComponent* AComponent, ui::TOperation Operation) {
    ui::TComponent::Notification(AComponent, Operation);
    if (Operation == ui::TOperation::opRemove && AComponent && AComponent != this && FRootCompEntry)
        FRootCompEntry->RemoveComponent(AComponent, true);
}

bool TDKLanguageController::ReadBinaryProperty(const std::u16string& Name,
                                               const std::vector<uint8_t>& Data) {
    if (!ui::SameTextAscii(Name, u"LangData")) return ui::TComponent::ReadBinaryProperty(Name, Data);
    TBytesStream s(Data);
    ReadLangData(s);
    return true;
}

std::u16string TDKLanguageController::ActualSectionName() const {
    if (!FSectionName.empty()) return FSectionName;
    return Owner() ? Owner()->Name() : std::u16string();
}

void TDKLanguageController::RefreshEntries(bool bModifyList) {
    TDKLang_MaskList ignore(FIgnoreList), store(FStoreList);
    FRootCompEntry->UpdateEntries(bModifyList, HasOption(FOptions, dklcoIgnoreEmptyProps),
                                  HasOption(FOptions, dklcoIgnoreNonAlphaProps),
                                  HasOption(FOptions, dklcoIgnoreFontProps), ignore, store);
}

void TDKLanguageController::DoLanguageChanging() {
    if (OnLanguageChanging) OnLanguageChanging(this);
}

void TDKLanguageController::DoLanguageChanged() {
    if (OnLanguageChanged) OnLanguageChanged(this);
}

bool TDKLanguageController::HasLangData() const {
    return FRootCompEntry->Component() && !FRootCompEntry->Component()->Name().empty();
}

void TDKLanguageController::ReadLangData(TBytesStream& Stream) {
    FRootCompEntry->LoadFromDFMResource(Stream);
}

void TDKLanguageController::WriteLangData(TBytesStream& Stream) {
    RefreshEntries(true);
    FRootCompEntry->SaveToDFMResource(Stream);
}

void TDKLanguageController::AssignSorted(ui::TStrings& Dest, const ui::TStrings& Source) {
    std::vector<std::u16string> v;
    for (int i = 0; i < Source.Count(); ++i) v.push_back(Source.Strings(i));
    std::sort(v.begin(), v.end(), [](const std::u16string& a, const std::u16string& b) {
        return ui::CompareTextAscii(a, b) < 0;
    });
    v.erase(std::unique(v.begin(), v.end(),
                        [](const std::u16string& a, const std::u16string& b) {
                            return ui::SameTextAscii(a, b);
                        }),
            v.end());
    Dest.Clear();
    for (auto& s : v) Dest.Add(s);
}

void TDKLanguageController::SetIgnoreList(const ui::TStrings& Value) {
    if (&Value != &FIgnoreList) AssignSorted(FIgnoreList, Value);
}

void TDKLanguageController::SetStoreList(const ui::TStrings& Value) {
    if (&Value != &FStoreList) AssignSorted(FStoreList, Value);
}

bool TDKLanguageController::RefreshLangSource() {
    if (!Owner() || Owner()->Name().empty()) return false;
    RefreshEntries(true);
    return true;
}

void TDKLanguageController::WriteLangSource(ui::TStrings& Strings, TDKLang_TranslationStates) {
    FRootCompEntry->WriteLangSource(Strings);
}

}  // namespace lang
