// Build-time tool: turns the readable property map of a form into its binary "LangData":
// the form's entry record (UTF-8 name with a 16-bit length, property flag and records,
// children flag and records), its components as children without children of their own.
//
// Input lines (UTF-8; "#" starts a comment line): the first entry is the form, every other
// one a component it owns, in order. "Name" alone, or "Name: ID Path, ID Path, ...".
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Prop {
    int32_t id;
    std::string path;
};
struct Entry {
    std::string name;
    std::vector<Prop> props;
};

std::string Trim(const std::string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
    return s.substr(a, b - a);
}

void Put16(std::vector<uint8_t>& o, unsigned v) {
    o.push_back(uint8_t(v));
    o.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& o, int32_t v) {
    for (int k = 0; k < 4; ++k) o.push_back(uint8_t(uint32_t(v) >> (8 * k)));
}
void PutStr(std::vector<uint8_t>& o, const std::string& s) {
    Put16(o, unsigned(s.size()));
    o.insert(o.end(), s.begin(), s.end());
}

// Records sorted by path as the reader keeps them: ordinal, a-z folded to A-Z.
bool PathLess(const std::string& a, const std::string& b) {
    auto up = [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; };
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (up(a[i]) != up(b[i])) return up(a[i]) < up(b[i]);
    return a.size() < b.size();
}

void PutEntry(std::vector<uint8_t>& o, Entry e) {
    PutStr(o, e.name);
    for (std::size_t i = 1; i < e.props.size(); ++i)  // insertion sort: a handful of records
        for (std::size_t j = i; j > 0 && PathLess(e.props[j].path, e.props[j - 1].path); --j)
            std::swap(e.props[j], e.props[j - 1]);
    o.push_back(e.props.empty() ? 0 : 1);
    if (!e.props.empty()) {
        Put32(o, int32_t(e.props.size()));
        for (const Prop& p : e.props) {
            Put32(o, p.id);
            PutStr(o, p.path);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s <map.txt> <out.bin> [<out.hex>]\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<Entry> entries;
    std::string line;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        line = Trim(line);
        if (line.empty() || line[0] == '#') continue;
        Entry e;
        auto colon = line.find(':');
        e.name = Trim(line.substr(0, colon));
        bool ok = !e.name.empty() && e.name.size() <= 0xFFFF;
        if (ok && colon != std::string::npos) {
            std::stringstream items(line.substr(colon + 1));
            std::string item;
            while (ok && std::getline(items, item, ',')) {
                std::istringstream f(item);
                Prop p{};
                ok = bool(f >> p.id >> p.path) && p.id > 0 && p.path.size() <= 0xFFFF;
                std::string extra;
                if (ok && (f >> extra)) ok = false;
                if (ok) e.props.push_back(p);
            }
        }
        if (!ok) {
            std::fprintf(stderr, "%s:%d: expected Name or Name: ID Path, ...\n", argv[1], lineNo);
            return 1;
        }
        entries.push_back(std::move(e));
    }
    if (entries.empty()) {
        std::fprintf(stderr, "%s: no form entry\n", argv[1]);
        return 1;
    }
    std::vector<uint8_t> out;
    PutEntry(out, entries[0]);
    const std::size_t children = entries.size() - 1;
    out.push_back(children ? 1 : 0);
    if (children) {
        Put32(out, int32_t(children));
        for (std::size_t i = 1; i < entries.size(); ++i) {
            PutEntry(out, entries[i]);
            out.push_back(0);  // components of the form own no mapped components
        }
    }
    std::ofstream f(argv[2], std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    if (!f) return 1;
    if (argc == 4) {
        // The same bytes as hexadecimal text, 32 bytes a line, for a form description.
        std::ofstream h(argv[3], std::ios::trunc);
        for (std::size_t i = 0; i < out.size(); ++i) {
            char b[3];
            std::snprintf(b, sizeof b, "%02X", out[i]);
            h << b << ((i % 32 == 31 || i + 1 == out.size()) ? "\n" : "");
        }
        if (!h) return 1;
    }
    return 0;
}
