#include "resources/Embedded.h"

#include <map>
#include <string>

namespace tovra::res {
namespace {
std::string upper(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}
std::map<std::string, Blob>& table() {
    static std::map<std::string, Blob> t;  // filled by static registrations before main
    return t;
}
}  // namespace

Registration::Registration(const char* name, const unsigned char* data, std::size_t size) {
    table()[upper(name)] = Blob{data, size};
}

const Blob* find(std::string_view name) {
    auto it = table().find(upper(name));
    return it == table().end() ? nullptr : &it->second;
}

}  // namespace tovra::res
