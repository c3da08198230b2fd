#pragma once
// The built-in table of Windows language identifiers (LCIDs) and their names.
#include <cstdint>
#include <optional>
#include <string>

namespace lang {

struct TLangRec {
    uint32_t lcid;
    std::u16string cultureCode;
    std::u16string cultureName;
    std::u16string langName;
    std::u16string nativeLangName;
};

// Rows in table order; Index from 0 to LangRecCount() - 1.
int LangRecCount();
TLangRec LangRecAt(int Index);
// The first row with that ID, or none.
std::optional<TLangRec> FindLangRec(uint32_t lcid);
// The row's language name, else the ID as an unsigned decimal.
std::u16string GetLangName(uint32_t lcid);

}  // namespace lang
