// Fuzz target of the profile-file reader: any bytes parse, every query answers within its
// buffer, and parsing then printing gives the same bytes back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/linux/ProfileText.h"

using namespace platform::profile;

namespace {
void check(bool ok) {
    if (!ok) std::abort();
}

// A read with the buffer guarded on both sides.
void guardedRead(const std::string& file, const char16_t* section, const char16_t* key,
                 uint32_t size) {
    std::u16string buf(size + 2, u'#');
    uint32_t n = GetString(&file, section, key, u"d", buf.data() + 1, size);
    check(buf[0] == u'#' && buf[size + 1] == u'#');
    if (size == 0) return;
    check(n < size);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    IniText text(file);
    check(text.Bytes() == file);
    auto sections = text.Sections();
    for (uint32_t s : {0u, 1u, 2u, 3u, 17u, 1024u}) guardedRead(file, nullptr, nullptr, s);
    std::size_t visited = 0;
    for (const auto& sec : sections) {
        if (++visited > 16) break;
        auto keys = text.Keys(sec);
        for (uint32_t s : {2u, 5u, 64u}) guardedRead(file, sec.c_str(), nullptr, s);
        std::size_t k = 0;
        for (const auto& key : keys) {
            if (++k > 16) break;
            check(text.Value(sec, key).has_value());
            for (uint32_t s : {1u, 3u, 300u}) guardedRead(file, sec.c_str(), key.c_str(), s);
        }
        // A change is read back as written and leaves the rest of the file parseable. (A name
        // with a NUL in it cannot be passed to a write at all.)
        if (sec.find(u'\0') == std::u16string::npos &&
            CheckWrite(sec.c_str(), u"FuzzKey", u"v a l") == 0) {
            std::string changed = file;
            PutString(changed, sec.c_str(), u"FuzzKey", u"v a l");
            IniText after(changed);
            check(after.Value(sec, u"FuzzKey") == std::u16string(u"v a l"));
            check(after.Bytes() == changed);
            PutString(changed, sec.c_str(), u"FuzzKey", nullptr);
            check(!IniText(changed).Value(sec, u"FuzzKey").has_value());
            PutString(changed, sec.c_str(), nullptr, nullptr);
            for (const auto& left : IniText(changed).Sections()) check(!SameName(left, sec));
        }
    }
    std::string grown = file;
    PutString(grown, u"Fuzz New Section", u"k", u"1");
    check(IniText(grown).Value(u"fuzz new section", u"K") == std::u16string(u"1"));
    return 0;
}
