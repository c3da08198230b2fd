#include "ui/Classes.h"

#include <algorithm>
#include <map>

#include "ui/ClassBuilder.h"

namespace ui {

bool IsStringKind(TTypeKind k) {
    return k == TTypeKind::tkString || k == TTypeKind::tkLString || k == TTypeKind::tkWString ||
           k == TTypeKind::tkUString;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &other) return true;
    return false;
}

const std::vector<const TPropInfo*>& TClassInfo::Properties() const {
    if (!FAllBuilt) {
        std::vector<const TClassInfo*> chain;
        for (const TClassInfo* c = this; c; c = c->Parent) chain.push_back(c);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it)
            for (const TPropInfo& p : (*it)->OwnProps) {
                // A redeclared property keeps its inherited place but takes the new accessors.
                auto same = std::find_if(FAll.begin(), FAll.end(), [&](const TPropInfo* q) {
                    return SameTextAscii(q->Name, p.Name);
                });
                if (same != FAll.end())
                    *same = &p;
                else
                    FAll.push_back(&p);
            }
        FAllBuilt = true;
    }
    return FAll;
}

const TPropInfo* TClassInfo::FindProperty(std::u16string_view name) const {
    for (const TPropInfo* p : Properties())
        if (SameTextAscii(p->Name, name)) return p;
    return nullptr;
}

namespace {
std::map<std::u16string, const TClassInfo*>& registry() {
    static std::map<std::u16string, const TClassInfo*> r;
    return r;
}
}  // namespace

void RegisterClass(const TClassInfo& ci) { registry()[UpperAscii(ci.ClassName)] = &ci; }

const TClassInfo* FindClass(std::u16string_view name) {
    auto it = registry().find(UpperAscii(name));
    return it == registry().end() ? nullptr : it->second;
}

const TClassInfo& TObject::StaticClassInfo() {
    static const TClassInfo ci = TClassBuilder<TObject>(u"TObject", nullptr).Build();
    return ci;
}

const TClassInfo& TPersistent::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TPersistent>(u"TPersistent", &TObject::StaticClassInfo()).Build();
    return ci;
}

void TPersistent::Assign(const TPersistent& Source) {
    throw EConvertError(u"Cannot assign a %s to a %s", {Source.ClassName(), ClassName()});
}

const TClassInfo& TComponent::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TComponent>(u"TComponent", &TPersistent::StaticClassInfo())
            .Str(u"Name", &TComponent::Name, &TComponent::SetName)
            .Int(u"Tag", &TComponent::Tag, &TComponent::SetTag)
            .Stored([](const TComponent& c) { return c.Tag() != 0; })
            .Build();
    return ci;
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Destroying() {
    FComponentState |= csDestroying;
    // Tell everyone who asked; they drop their references to us.
    while (!FFreeNotifies.empty()) {
        TComponent* c = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& theirs = c->FFreeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        c->Notification(this, TOperation::opRemove);
    }
}

void TComponent::SetName(const std::u16string& NewName) { FName = NewName; }

TComponent* TComponent::Components(int Index) const {
    if (Index < 0 || Index >= ComponentCount())
        throw EListError(u"List index out of bounds (%d)", {Index});
    return FComponents[std::size_t(Index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    auto& v = FOwner->FComponents;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : int(it - v.begin());
}

TComponent* TComponent::FindComponent(std::u16string_view AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameTextAscii(c->Name(), AName)) return c;
    return nullptr;
}

void TComponent::SetComponentStateFlag(uint32_t flag, bool on) {
    if (on)
        FComponentState |= flag;
    else
        FComponentState &= ~flag;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    Notification(AComponent, TOperation::opRemove);
    auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (it != FComponents.end()) FComponents.erase(it);
    AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        // Removal notices go to the siblings before the component goes.
        RemoveComponent(c);
        delete c;
    }
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    auto add = [](std::vector<TComponent*>& v, TComponent* c) {
        if (std::find(v.begin(), v.end(), c) == v.end()) v.push_back(c);
    };
    add(FFreeNotifies, AComponent);
    add(AComponent->FFreeNotifies, this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    auto del = [](std::vector<TComponent*>& v, TComponent* c) {
        v.erase(std::remove(v.begin(), v.end(), c), v.end());
    };
    del(FFreeNotifies, AComponent);
    del(AComponent->FFreeNotifies, this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == TOperation::opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    // Owned components hear about their siblings. Index loop: handlers may remove components.
    for (std::size_t i = 0; i < FComponents.size(); ++i) {
        TComponent* c = FComponents[i];
        if (c != AComponent) c->Notification(AComponent, Operation);
    }
}

void TComponent::Loaded() { FComponentState &= ~csLoading; }

bool TComponent::ReadBinaryProperty(const std::u16string&, const std::vector<uint8_t>&) {
    return false;
}

void TComponent::SetParentComponent(TComponent*) {}

bool TComponent::BindEvent(TComponent*, const std::u16string&, const std::u16string&) {
    return false;
}

const TClassInfo& TCollectionItem::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TCollectionItem>(u"TCollectionItem", &TPersistent::StaticClassInfo()).Build();
    return ci;
}

const TClassInfo& TCollection::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TCollection>(u"TCollection", &TPersistent::StaticClassInfo()).Build();
    return ci;
}

TCollection::TCollection(std::function<std::unique_ptr<TCollectionItem>()> ItemFactory)
    : FFactory(std::move(ItemFactory)) {}

TCollectionItem* TCollection::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(u"List index out of bounds (%d)", {Index});
    return FItems[std::size_t(Index)].get();
}

TCollectionItem* TCollection::Add() {
    FItems.push_back(FFactory());
    return FItems.back().get();
}

// Text forms for the form reader.

int64_t ParseIntText(const std::u16string& s) {
    std::u16string t = Trim(s);
    if (t.empty()) throw EConvertError(u"'%s' is not a valid integer value", {s});
    std::size_t i = 0;
    bool neg = false;
    if (t[0] == u'-' || t[0] == u'+') {
        neg = t[0] == u'-';
        i = 1;
    }
    int base = 10;
    if (i < t.size() && t[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == u'0' && (t[i + 1] == u'x' || t[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= t.size()) throw EConvertError(u"'%s' is not a valid integer value", {s});
    uint64_t v = 0;
    for (; i < t.size(); ++i) {
        char16_t c = t[i];
        int d;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        else
            throw EConvertError(u"'%s' is not a valid integer value", {s});
        v = v * uint64_t(base) + uint64_t(d);
        if (v > 0xFFFFFFFFFFFFull) throw EConvertError(u"'%s' is not a valid integer value", {s});
    }
    return neg ? -int64_t(v) : int64_t(v);
}

bool ParseBoolText(const std::u16string& s) {
    std::u16string t = Trim(s);
    if (SameTextAscii(t, u"True")) return true;
    if (SameTextAscii(t, u"False")) return false;
    return ParseIntText(t) != 0;
}

TColor ParseColorText(const std::u16string& s) {
    std::u16string t = Trim(s);
    if (auto c = IdentToColor(t)) return *c;
    return TColor(ParseIntText(t));
}

std::u16string ColorText(TColor c) {
    if (auto n = ColorToIdent(c)) return *n;
    return IntToStr(c);
}

int ParseEnumText(const std::u16string& s, const std::vector<std::u16string>& names) {
    std::u16string t = Trim(s);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (SameTextAscii(names[i], t)) return int(i);
    throw EConvertError(u"Invalid property value '%s'", {s});
}

uint32_t ParseSetText(const std::u16string& s, const std::vector<std::u16string>& names) {
    std::u16string t = Trim(s);
    if (t.size() < 2 || t.front() != u'[' || t.back() != u']')
        throw EConvertError(u"Invalid property value '%s'", {s});
    uint32_t bits = 0;
    std::u16string item;
    auto flush = [&] {
        std::u16string n = Trim(item);
        if (!n.empty()) bits |= 1u << ParseEnumText(n, names);
        item.clear();
    };
    for (std::size_t i = 1; i + 1 < t.size(); ++i) {
        if (t[i] == u',')
            flush();
        else
            item += t[i];
    }
    flush();
    return bits;
}

std::u16string SetText(uint32_t bits, const std::vector<std::u16string>& names) {
    std::u16string r = u"[";
    for (std::size_t i = 0; i < names.size() && i < 32; ++i)
        if (bits & (1u << i)) {
            if (r.size() > 1) r += u",";
            r += names[i];
        }
    return r + u"]";
}

}  // namespace ui
