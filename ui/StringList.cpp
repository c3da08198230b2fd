#include "ui/StringList.h"

#include "ui/ClassBuilder.h"

namespace ui {

const TClassInfo& TStrings::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TStrings>(u"TStrings", &TPersistent::StaticClassInfo()).Build();
    return ci;
}

void TStrings::Assign(const TPersistent& Source) {
    auto* s = dynamic_cast<const TStrings*>(&Source);
    if (!s) return TPersistent::Assign(Source);
    FItems = s->FItems;
    Changed();
}

static void checkIndex(int i, int n) {
    if (i < 0 || i >= n) throw EListError(u"List index out of bounds (%d)", {i});
}

const std::u16string& TStrings::Strings(int Index) const {
    checkIndex(Index, Count());
    return FItems[std::size_t(Index)].S;
}

void TStrings::SetStrings(int Index, const std::u16string& S) {
    checkIndex(Index, Count());
    FItems[std::size_t(Index)].S = S;
    Changed();
}

void* TStrings::Objects(int Index) const {
    checkIndex(Index, Count());
    return FItems[std::size_t(Index)].Obj;
}

void TStrings::SetObjects(int Index, void* Obj) {
    checkIndex(Index, Count());
    FItems[std::size_t(Index)].Obj = Obj;
}

int TStrings::AddObject(const std::u16string& S, void* Obj) {
    FItems.push_back({S, Obj});
    Changed();
    return Count() - 1;
}

void TStrings::Insert(int Index, const std::u16string& S) {
    if (Index < 0 || Index > Count()) throw EListError(u"List index out of bounds (%d)", {Index});
    FItems.insert(FItems.begin() + Index, Item{S, nullptr});
    Changed();
}

void TStrings::Delete(int Index) {
    checkIndex(Index, Count());
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TStrings::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

int TStrings::IndexOf(const std::u16string& S) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (SameText(FItems[i].S, S)) return int(i);
    return -1;
}

std::u16string TStrings::Text() const {
    std::u16string r;
    for (const Item& it : FItems) {
        r += it.S;
        r += u"\r\n";
    }
    return r;
}

void TStrings::SetText(const std::u16string& Value) {
    FItems.clear();
    std::size_t i = 0, n = Value.size();
    while (i < n) {
        std::size_t start = i;
        while (i < n && Value[i] != u'\r' && Value[i] != u'\n') ++i;
        FItems.push_back({Value.substr(start, i - start), nullptr});
        if (i < n && Value[i] == u'\r') ++i;
        if (i < n && Value[i] == u'\n') ++i;
    }
    Changed();
}

void TStrings::Changed() {
    if (OnChange) OnChange(this);
}

}  // namespace ui
