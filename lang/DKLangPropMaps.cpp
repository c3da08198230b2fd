#include "lang/DKLangPropMaps.h"

#include <algorithm>

#include "lang/SortedFind.h"
#include "ui/Text.h"

namespace lang {

namespace {
// Deeper "LangData" nesting than any form has would only exhaust the stack.
constexpr int kMaxEntryDepth = 256;
// Nested persistent objects deeper than this are a reference cycle, not a form.
constexpr int kMaxObjectDepth = 16;

bool Is8BitKind(ui::TTypeKind k) {
    return k == ui::TTypeKind::tkString || k == ui::TTypeKind::tkLString;
}
bool IsNameProp(const ui::TPropInfo& p, bool IsComponent) {
    return IsComponent && ui::SameTextAscii(p.Name, u"Name");
}
bool HasLetter(const std::u16string& s) {
    return std::any_of(s.begin(), s.end(), IsUnicodeLetter);
}
std::u16string JoinPath(const std::u16string& p, const std::u16string& name) {
    return p.empty() ? name : p + u"." + name;
}
std::u16string ItemPath(const std::u16string& p, int i) { return p + ui::Format(u"[%d]", {i}); }
}  // namespace

// ---- Property entries ----

bool TDKLang_PropEntries::Add(int32_t iID, const std::u16string& wsPropName,
                              const std::u16string& wsDefLangValue) {
    int idx;
    if (FindPropName(wsPropName, idx)) {
        auto& e = FItems[std::size_t(idx)];
        e.wsDefLangValue = wsDefLangValue;
        e.bValidated = true;
        return false;
    }
    FItems.insert(FItems.begin() + idx, TDKLang_PropEntry{iID, wsPropName, wsDefLangValue, true});
    return true;
}

bool TDKLang_PropEntries::FindPropName(std::u16string_view wsPropName, int& iIndex) const {
    return FindSorted(
        Count(),
        [&](int i) { return ui::CompareTextAscii(FItems[std::size_t(i)].wsPropName, wsPropName); },
        iIndex);
}

int TDKLang_PropEntries::IndexOfPropName(std::u16string_view wsPropName) const {
    int idx;
    return FindPropName(wsPropName, idx) ? idx : -1;
}

TDKLang_PropEntry* TDKLang_PropEntries::FindPropByName(std::u16string_view wsPropName) {
    int idx = IndexOfPropName(wsPropName);
    return idx < 0 ? nullptr : &FItems[std::size_t(idx)];
}

int TDKLang_PropEntries::IndexOfID(int32_t iID) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].iID == iID) return int(i);
    return -1;
}

void TDKLang_PropEntries::ClearValidated() {
    for (auto& e : FItems) e.bValidated = false;
}

void TDKLang_PropEntries::DeleteUnvalidated() {
    FItems.erase(std::remove_if(FItems.begin(), FItems.end(),
                                [](const TDKLang_PropEntry& e) { return !e.bValidated; }),
                 FItems.end());
}

int32_t TDKLang_PropEntries::MaxID() const {
    int32_t m = 0;
    for (const auto& e : FItems) m = std::max(m, e.iID);
    return m;
}

TDKLang_PropEntry& TDKLang_PropEntries::Items(int Index) {
    if (Index < 0 || Index >= Count())
        throw ui::EListError(u"List index out of bounds (%d)", {Index});
    return FItems[std::size_t(Index)];
}

const TDKLang_PropEntry& TDKLang_PropEntries::Items(int Index) const {
    return const_cast<TDKLang_PropEntries*>(this)->Items(Index);
}

void TDKLang_PropEntries::LoadFromDFMResource(TBytesStream& Stream) {
    FItems.clear();
    int32_t count = Stream.ReadInt32();
    for (int32_t i = 0; i < count; ++i) {
        int32_t id = Stream.ReadInt32();
        std::u16string path = Stream.ReadUtf8String();
        Add(id, path, u"");
    }
}

void TDKLang_PropEntries::SaveToDFMResource(TBytesStream& Stream) const {
    Stream.WriteInt32(Count());
    for (const auto& e : FItems) {
        Stream.WriteInt32(e.iID);
        Stream.WriteUtf8String(e.wsPropName);
    }
}

// ---- Component entry lists ----

void TDKLang_CompEntries::LoadFromDFMResource(TBytesStream& Stream, int Depth) {
    FItems.clear();
    int32_t count = Stream.ReadInt32();
    for (int32_t i = 0; i < count; ++i) Add().LoadFromDFMResource(Stream, Depth);
}

void TDKLang_CompEntries::SaveToDFMResource(TBytesStream& Stream) const {
    Stream.WriteInt32(Count());
    for (const auto& e : FItems) e->SaveToDFMResource(Stream);
}

int TDKLang_CompEntries::IndexOfComponent(const ui::TComponent* CompReference) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i]->FComponent == CompReference) return int(i);
    return -1;
}

TDKLang_CompEntry* TDKLang_CompEntries::FindComponent(const ui::TComponent* CompReference) const {
    int i = IndexOfComponent(CompReference);
    return i < 0 ? nullptr : FItems[std::size_t(i)].get();
}

int TDKLang_CompEntries::IndexOfCompName(std::u16string_view wsCompName) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (ui::SameTextAscii(FItems[i]->Name(), wsCompName)) return int(i);
    return -1;
}

TDKLang_CompEntry& TDKLang_CompEntries::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw ui::EListError(u"List index out of bounds (%d)", {Index});
    return *FItems[std::size_t(Index)];
}

TDKLang_CompEntry& TDKLang_CompEntries::Add() {
    FItems.push_back(std::make_unique<TDKLang_CompEntry>(FOwner));
    return *FItems.back();
}

void TDKLang_CompEntries::Delete(int Index) {
    Items(Index);  // range check
    FItems.erase(FItems.begin() + Index);
}

// ---- Component entries ----

std::u16string TDKLang_CompEntry::Name() const { return FComponent ? FComponent->Name() : FName; }

void TDKLang_CompEntry::BindComponent(ui::TComponent* Component) {
    FComponent = Component;
    if (!Component) return;
    FName.clear();
    if (!FOwnedCompEntries) return;
    for (int i = FOwnedCompEntries->Count() - 1; i >= 0; --i) {
        TDKLang_CompEntry& child = FOwnedCompEntries->Items(i);
        if (child.FName.empty()) continue;
        if (ui::TComponent* c = Component->FindComponent(child.FName))
            child.BindComponent(c);
        else
            FOwnedCompEntries->Delete(i);
    }
    if (FOwnedCompEntries->Count() == 0) FOwnedCompEntries.reset();
}

void TDKLang_CompEntry::LoadFromDFMResource(TBytesStream& Stream, int Depth) {
    if (Depth > kMaxEntryDepth) throw ui::EReadError(u"Property map nested too deeply");
    FName = Stream.ReadUtf8String();
    if (Stream.ReadByte() != 0) {
        if (!FPropEntries) FPropEntries = std::make_unique<TDKLang_PropEntries>();
        FPropEntries->LoadFromDFMResource(Stream);
    }
    if (Stream.ReadByte() != 0) {
        if (!FOwnedCompEntries) FOwnedCompEntries = std::make_unique<TDKLang_CompEntries>(this);
        FOwnedCompEntries->LoadFromDFMResource(Stream, Depth + 1);
    }
}

void TDKLang_CompEntry::SaveToDFMResource(TBytesStream& Stream) const {
    Stream.WriteUtf8String(Name());
    Stream.WriteByte(FPropEntries ? 1 : 0);
    if (FPropEntries) FPropEntries->SaveToDFMResource(Stream);
    Stream.WriteByte(FOwnedCompEntries ? 1 : 0);
    if (FOwnedCompEntries) FOwnedCompEntries->SaveToDFMResource(Stream);
}

void TDKLang_CompEntry::RemoveComponent(const ui::TComponent* AComponent, bool bRecursive) {
    if (!FOwnedCompEntries) return;
    int i = FOwnedCompEntries->IndexOfComponent(AComponent);
    if (i >= 0) {
        FOwnedCompEntries->Delete(i);
        if (FOwnedCompEntries->Count() == 0) {
            FOwnedCompEntries.reset();
            return;
        }
    }
    if (bRecursive)
        for (int j = 0; j < FOwnedCompEntries->Count(); ++j)
            FOwnedCompEntries->Items(j).RemoveComponent(AComponent, true);
}

std::u16string TDKLang_CompEntry::GetComponentNamePath(bool bIncludeRoot) const {
    std::u16string path;
    for (const TDKLang_CompEntry* e = this; e; e = e->FOwner) {
        if (!e->FOwner && !bIncludeRoot) break;
        path = path.empty() ? e->Name() : e->Name() + u"." + path;
    }
    return path;
}

void TDKLang_CompEntry::ClearValidated() {
    if (FPropEntries) FPropEntries->ClearValidated();
    if (FOwnedCompEntries)
        for (int i = 0; i < FOwnedCompEntries->Count(); ++i) FOwnedCompEntries->Items(i).ClearValidated();
}

int32_t TDKLang_CompEntry::MaxPropID() const {
    int32_t m = FPropEntries ? FPropEntries->MaxID() : 0;
    if (FOwnedCompEntries)
        for (int i = 0; i < FOwnedCompEntries->Count(); ++i)
            m = std::max(m, FOwnedCompEntries->Items(i).MaxPropID());
    return m;
}

void TDKLang_CompEntry::WriteLangSource(ui::TStrings& Strings) const {
    if (FPropEntries) {
        std::u16string p = GetComponentNamePath(false);
        if (!p.empty()) p += u".";
        for (int i = 0; i < FPropEntries->Count(); ++i) {
            const auto& e = FPropEntries->Items(i);
            Strings.Add(ui::Format(u"%s%s=%.8d,%s",
                                   {p, e.wsPropName, int(e.iID), EncodeControlChars(e.wsDefLangValue)}));
        }
    }
    if (FOwnedCompEntries)
        for (int i = 0; i < FOwnedCompEntries->Count(); ++i)
            FOwnedCompEntries->Items(i).WriteLangSource(Strings);
}

// ---- Capture and update walks ----

struct TDKLang_CompEntry::Walk {
    bool bModifyList, bIgnoreEmptyProps, bIgnoreNonAlphaProps, bIgnoreFontProps;
    const TDKLang_MaskList& IgnoreMasks;
    const TDKLang_MaskList& StoreMasks;
    int32_t NextID = 0;
    int Depth = 0;
};

void TDKLang_CompEntry::UpdateEntries(bool bModifyList, bool bIgnoreEmptyProps,
                                      bool bIgnoreNonAlphaProps, bool bIgnoreFontProps,
                                      const TDKLang_MaskList& IgnoreMasks,
                                      const TDKLang_MaskList& StoreMasks) {
    Walk w{bModifyList, bIgnoreEmptyProps, bIgnoreNonAlphaProps, bIgnoreFontProps, IgnoreMasks,
           StoreMasks};
    if (bModifyList) {
        ClearValidated();
        w.NextID = MaxPropID() + 1;
    }
    Process(w);
}

void TDKLang_CompEntry::Process(Walk& W) {
    if (!FComponent) return;
    const std::u16string prefix = GetComponentNamePath(false) + u".";
    PropertyWalk(W, *FComponent, u"", true, prefix);
    if (W.bModifyList && FPropEntries) {
        FPropEntries->DeleteUnvalidated();
        if (FPropEntries->Count() == 0) FPropEntries.reset();
    }
    for (int i = 0; i < FComponent->ComponentCount(); ++i) {
        ui::TComponent* c = FComponent->Components(i);
        if (c->Name().empty() || IsLanguageController(c)) continue;
        TDKLang_CompEntry* child = FOwnedCompEntries ? FOwnedCompEntries->FindComponent(c) : nullptr;
        if (W.bModifyList) {
            if (!FOwnedCompEntries) FOwnedCompEntries = std::make_unique<TDKLang_CompEntries>(this);
            if (!child) {
                child = &FOwnedCompEntries->Add();
                child->BindComponent(c);
            }
        }
        if (child) child->Process(W);
    }
}

void TDKLang_CompEntry::PropertyWalk(Walk& W, ui::TObject& O, const std::u16string& Path,
                                     bool IsComponent, const std::u16string& Prefix) {
    if (W.Depth > kMaxObjectDepth) return;
    for (const ui::TPropInfo* p : O.ClassType().Properties()) {
        if (!p->HasSetter() || IsNameProp(*p, IsComponent)) continue;
        const std::u16string path = JoinPath(Path, p->Name);
        const std::u16string maskName = Prefix + path;
        const bool isString = ui::IsStringKind(p->Kind);
        if (!isString && p->Kind != ui::TTypeKind::tkClass) continue;
        if (W.IgnoreMasks.Matches(maskName)) continue;
        if (!p->IsStored(O) && !W.StoreMasks.Matches(maskName)) continue;
        if (isString) {
            if (p->GetText) Store(W, path, p->GetText(O));
            continue;
        }
        if (!p->GetObject) continue;
        ui::TObject* obj = p->GetObject(O);
        if (!obj) continue;
        if (auto* sl = dynamic_cast<ui::TStrings*>(obj)) {
            Store(W, path, sl->Text());
        } else if (auto* coll = dynamic_cast<ui::TCollection*>(obj)) {
            const int n = coll->Count();
            ++W.Depth;
            for (int i = 0; i < n && i < coll->Count(); ++i)
                PropertyWalk(W, *coll->Items(i), ItemPath(path, i), false, Prefix);
            --W.Depth;
        } else if (dynamic_cast<ui::TPersistent*>(obj) && !dynamic_cast<ui::TComponent*>(obj)) {
            if (W.bIgnoreFontProps && obj->ClassName() == u"TFont") continue;
            ++W.Depth;
            PropertyWalk(W, *obj, path, false, Prefix);
            --W.Depth;
        }
    }
}

void TDKLang_CompEntry::Store(Walk& W, const std::u16string& Path, const std::u16string& Value) {
    if (W.bIgnoreNonAlphaProps ? !HasLetter(Value) : (W.bIgnoreEmptyProps && Value.empty())) return;
    if (W.bModifyList) {
        if (!FPropEntries) FPropEntries = std::make_unique<TDKLang_PropEntries>();
        if (FPropEntries->Add(W.NextID, Path, Value)) ++W.NextID;
    } else if (FPropEntries) {
        if (auto* e = FPropEntries->FindPropByName(Path)) e->wsDefLangValue = Value;
    }
}

// ---- Applying a translation ----

void TDKLang_CompEntry::ApplyTranslation(const TDKLang_CompTranslation* Translation) {
    if (FPropEntries && FComponent) ApplyWalk(Translation, *FComponent, u"", true);
    if (FOwnedCompEntries)
        for (int i = 0; i < FOwnedCompEntries->Count(); ++i)
            FOwnedCompEntries->Items(i).ApplyTranslation(Translation);
}

const std::u16string* TDKLang_CompEntry::TextFor(const TDKLang_CompTranslation* Translation,
                                                 const std::u16string& Path) const {
    auto* e = FPropEntries->FindPropByName(Path);
    if (!e) return nullptr;
    if (Translation)
        if (auto* t = Translation->FindPropByID(e->iID)) return &t->wsValue;
    return &e->wsDefLangValue;
}

void TDKLang_CompEntry::ApplyWalk(const TDKLang_CompTranslation* Translation, ui::TObject& O,
                                  const std::u16string& Path, bool IsComponent) {
    if (Path.size() > 4096) return;  // only a reference cycle builds paths this long
    for (const ui::TPropInfo* p : O.ClassType().Properties()) {
        if (!p->HasSetter() || IsNameProp(*p, IsComponent)) continue;
        const bool isString = ui::IsStringKind(p->Kind);
        if (!isString && p->Kind != ui::TTypeKind::tkClass) continue;
        const std::u16string path = JoinPath(Path, p->Name);
        if (isString) {
            if (const std::u16string* text = TextFor(Translation, path))
                p->SetText(O, Is8BitKind(p->Kind) ? AnsiToUnicode(UnicodeToAnsi(*text)) : *text);
            continue;
        }
        if (!p->GetObject) continue;
        ui::TObject* obj = p->GetObject(O);
        if (!obj) continue;
        if (auto* sl = dynamic_cast<ui::TStrings*>(obj)) {
            if (const std::u16string* text = TextFor(Translation, path)) sl->SetText(*text);
        } else if (auto* coll = dynamic_cast<ui::TCollection*>(obj)) {
            for (int i = 0; i < coll->Count(); ++i)
                ApplyWalk(Translation, *coll->Items(i), ItemPath(path, i), false);
        } else if (dynamic_cast<ui::TPersistent*>(obj) && !dynamic_cast<ui::TComponent*>(obj)) {
            ApplyWalk(Translation, *obj, path, false);
        }
    }
}

}  // namespace lang
