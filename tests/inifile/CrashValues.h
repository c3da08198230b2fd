#pragma once
// The values the crash-safety writer stores: each one tells its generation and key, is long
// enough to take many disk blocks, and has edges the quoting must protect.
#include <string>

#include "ui/Text.h"

namespace inifile::testing {

constexpr int kCrashKeys = 4;

inline std::u16string CrashKey(int k) { return u"Key" + ui::IntToStr(k); }

inline std::u16string CrashValue(int gen, int k) {
    std::u16string stamp = u"<" + ui::IntToStr(gen) + u":" + ui::IntToStr(k) + u">";
    std::u16string v = u" " + stamp;
    // 16000 characters: several pages of the file per key, all one chunk.
    while (v.size() < 16000) v += stamp + u" Мир ";
    return v + stamp + u" ";
}

// The generation a stored value belongs to, or -1 when it is no complete value of key `k`.
inline int CrashGeneration(const std::u16string& v, int k) {
    if (v.size() < 3 || v[0] != u' ' || v[1] != u'<') return -1;
    std::size_t colon = v.find(u':');
    if (colon == std::u16string::npos) return -1;
    int gen = 0;
    for (std::size_t i = 2; i < colon; ++i) {
        if (v[i] < u'0' || v[i] > u'9') return -1;
        gen = gen * 10 + (v[i] - u'0');
    }
    return v == CrashValue(gen, k) ? gen : -1;
}

}  // namespace inifile::testing
