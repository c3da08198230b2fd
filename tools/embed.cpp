// Build-time tool: turns a file into a C++ source that registers it as an embedded resource.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <out.cpp> <resource name> <input file>\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[3], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[3]);
        return 1;
    }
    std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)), {});
    std::string id;
    for (const char* p = argv[2]; *p; ++p)
        id += (std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_');
    std::ofstream out(argv[1], std::ios::binary);
    out << "#include \"resources/Embedded.h\"\n"
        << "namespace {\nconst unsigned char kData[] = {";
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i % 20 == 0) out << "\n";
        out << static_cast<unsigned>(data[i]) << ",";
    }
    if (data.empty()) out << "0";
    out << "\n};\n"
        << "const tovra::res::Registration kReg(\"" << argv[2] << "\", kData, " << data.size()
        << ");\n}  // namespace\n"
        << "namespace tovra::res { void link_" << id << "() {} }\n";
    return out ? 0 : 1;
}
