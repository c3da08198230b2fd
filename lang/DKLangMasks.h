#pragma once
// Wildcard masks over property mask names ("Label1.Caption", ".Hint").
#include <bitset>
#include <string>
#include <string_view>
#include <vector>

#include "ui/StringList.h"

namespace lang {

// One mask: "*" any run, "?" one character, "[a-z]" / "[!0-9]" one character of (not of) a
// set of characters below 256. ASCII letters match either case. Raises ui::EDKLangError
// "'%s' is an invalid mask at (%d)" for an unclosed set or more than 30 parts after
// asterisks.
class TDKLang_Mask {
public:
    explicit TDKLang_Mask(const std::u16string& Mask);
    bool Matches(std::u16string_view S) const;

private:
    struct Part {
        enum Kind { Literal, AnyChar, Set } kind;
        char16_t ch = 0;
        bool negate = false;
        std::bitset<256> set;
        bool starBefore = false;  // an asterisk stands before this part
    };
    bool MatchFrom(std::size_t part, std::u16string_view s) const;
    std::vector<Part> FParts;
    bool FTrailingStar = false;
};

class TDKLang_MaskList {
public:
    explicit TDKLang_MaskList(const ui::TStrings& MaskStrings);
    bool Matches(std::u16string_view S) const;

private:
    std::vector<TDKLang_Mask> FMasks;
};

}  // namespace lang
