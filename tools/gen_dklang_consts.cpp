// Build-time tool: turns the readable constants list ("Name=Text" lines, UTF-8) into the
// constants stream of version 3: version byte, auto-save flag 1, count, then per constant its
// name and text as UTF-16 strings with 16-bit lengths, then two zero bytes.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

bool Utf8ToUtf16(const std::string& s, std::u16string& out) {
    for (std::size_t i = 0; i < s.size();) {
        auto b = static_cast<unsigned char>(s[i]);
        uint32_t cp;
        int n;
        if (b < 0x80) { cp = b; n = 1; }
        else if ((b & 0xE0) == 0xC0) { cp = b & 0x1F; n = 2; }
        else if ((b & 0xF0) == 0xE0) { cp = b & 0x0F; n = 3; }
        else if ((b & 0xF8) == 0xF0) { cp = b & 0x07; n = 4; }
        else return false;
        if (i + n > s.size()) return false;
        for (int k = 1; k < n; ++k) {
            auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        i += n;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += char16_t(0xD800 + (cp >> 10));
            out += char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += char16_t(cp);
        }
    }
    return true;
}

void Put16(std::vector<uint8_t>& o, unsigned v) {
    o.push_back(uint8_t(v));
    o.push_back(uint8_t(v >> 8));
}

bool PutString(std::vector<uint8_t>& o, const std::string& utf8) {
    std::u16string s;
    if (!Utf8ToUtf16(utf8, s) || s.size() > 0xFFFF) return false;
    Put16(o, unsigned(s.size()));
    for (char16_t c : s) Put16(o, c);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <constants.txt> <out.bin>\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<uint8_t> entries;
    int32_t count = 0;
    std::string line;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        auto eq = line.find('=');
        if (eq == std::string::npos || eq == 0 || !PutString(entries, line.substr(0, eq)) ||
            !PutString(entries, line.substr(eq + 1))) {
            std::fprintf(stderr, "%s:%d: expected Name=Text\n", argv[1], lineNo);
            return 1;
        }
        ++count;
    }
    std::vector<uint8_t> out = {3, 1};
    for (int k = 0; k < 4; ++k) out.push_back(uint8_t(uint32_t(count) >> (8 * k)));
    out.insert(out.end(), entries.begin(), entries.end());
    out.push_back(0);  // two spare zero bytes close the resource; readers stop before them
    out.push_back(0);
    std::ofstream f(argv[2], std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    return f ? 0 : 1;
}
