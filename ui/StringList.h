#pragma once
// An ordered list of strings, each with an object slot.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/Classes.h"

namespace ui {

class TStrings : public TPersistent {
    TOVRA_CLASS(TStrings)
public:
    void Assign(const TPersistent& Source) override;

    int Count() const { return int(FItems.size()); }
    const std::u16string& Strings(int Index) const;
    void SetStrings(int Index, const std::u16string& S);
    void* Objects(int Index) const;
    void SetObjects(int Index, void* Obj);
    int Add(const std::u16string& S) { return AddObject(S, nullptr); }
    int AddObject(const std::u16string& S, void* Obj);
    void Insert(int Index, const std::u16string& S);
    void Delete(int Index);
    void Clear();
    // Ignores case (letters beyond ASCII too); -1 when absent.
    int IndexOf(const std::u16string& S) const;
    // Every item followed by CR LF. Setting splits at CR LF, CR or LF.
    std::u16string Text() const;
    void SetText(const std::u16string& Value);

    TNotifyEvent OnChange;

private:
    void Changed();
    struct Item {
        std::u16string S;
        void* Obj;
    };
    std::vector<Item> FItems;
};

using TStringList = TStrings;

}  // namespace ui
