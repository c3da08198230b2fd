#include "lang/DKLangMasks.h"

#include "ui/Exceptions.h"

namespace lang {

namespace {
constexpr int kMaxStarParts = 30;
char16_t Up(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; }
}  // namespace

TDKLang_Mask::TDKLang_Mask(const std::u16string& Mask) {
    auto invalid = [&](std::size_t pos) {
        return ui::EDKLangError(u"'%s' is an invalid mask at (%d)", {Mask, int(pos + 1)});
    };
    bool star = false;
    int starParts = 0;
    std::size_t i = 0;
    while (i < Mask.size()) {
        char16_t c = Mask[i];
        if (c == u'*') {
            star = true;
            ++i;
            continue;
        }
        Part p{};
        p.starBefore = star;
        if (star && ++starParts > kMaxStarParts) throw invalid(i);
        star = false;
        if (c == u'?') {
            p.kind = Part::AnyChar;
            ++i;
        } else if (c == u'[') {
            p.kind = Part::Set;
            std::size_t j = i + 1;
            if (j < Mask.size() && Mask[j] == u'!') {
                p.negate = true;
                ++j;
            }
            auto add = [&](char16_t a, char16_t b) {
                for (unsigned x = a; x <= b && x < 256; ++x) {
                    p.set.set(x);
                    if (x >= 'a' && x <= 'z') p.set.set(x - 32);
                    if (x >= 'A' && x <= 'Z') p.set.set(x + 32);
                }
            };
            while (j < Mask.size() && Mask[j] != u']') {
                char16_t a = Mask[j];
                if (j + 2 < Mask.size() && Mask[j + 1] == u'-' && Mask[j + 2] != u']') {
                    add(a, Mask[j + 2]);
                    j += 3;
                } else {
                    add(a, a);
                    ++j;
                }
            }
            if (j >= Mask.size()) throw invalid(Mask.size());
            i = j + 1;
        } else {
            p.kind = Part::Literal;
            p.ch = Up(c);
            ++i;
        }
        FParts.push_back(p);
    }
    FTrailingStar = star;
}

bool TDKLang_Mask::MatchFrom(std::size_t part, std::u16string_view s) const {
    auto one = [&](const Part& p, char16_t c) {
        switch (p.kind) {
            case Part::AnyChar: return true;
            case Part::Literal: return p.ch == Up(c);
            case Part::Set: return (c < 256 && p.set.test(c)) != p.negate;
        }
        return false;
    };
    // Greedy with backtracking only to the last asterisk: linear-ish for masks of few stars.
    std::size_t si = 0, pi = part;
    std::size_t starPi = std::u16string_view::npos, starSi = 0;
    for (;;) {
        if (pi < FParts.size() && FParts[pi].starBefore && starPi != pi) {
            starPi = pi;
            starSi = si;
        }
        if (pi == FParts.size()) {
            if (si == s.size() || FTrailingStar) return true;
        } else if (si < s.size() && one(FParts[pi], s[si])) {
            ++pi;
            ++si;
            continue;
        }
        if (starPi == std::u16string_view::npos || starSi >= s.size()) return false;
        pi = starPi;
        si = ++starSi;
    }
}

bool TDKLang_Mask::Matches(std::u16string_view S) const {
    if (FParts.empty()) return FTrailingStar || S.empty();
    return MatchFrom(0, S);
}

TDKLang_MaskList::TDKLang_MaskList(const ui::TStrings& MaskStrings) {
    for (int i = 0; i < MaskStrings.Count(); ++i) FMasks.emplace_back(MaskStrings.Strings(i));
}

bool TDKLang_MaskList::Matches(std::u16string_view S) const {
    for (const auto& m : FMasks)
        if (m.Matches(S)) return true;
    return false;
}

}  // namespace lang
