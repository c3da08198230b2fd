#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/FuzzTargets.h"

namespace {

bool IsFuzzerFind(const std::string& name) {
    return name.size() == 40 &&
           name.find_first_not_of("0123456789abcdef") == std::string::npos;
}

// Every committed fuzz input runs through its target: no crash, no stray exception.
TEST(FuzzCorpusTest, CommittedInputsReplayCleanly) {
    struct Case {
        const char* dir;
        void (*target)(const uint8_t*, std::size_t);
    };
    const Case cases[] = {{"translation", fuzz::FuzzTranslationReader},
                          {"constants", fuzz::FuzzConstantsStream},
                          {"langdata", fuzz::FuzzLangDataReader}};
    for (const Case& k : cases) {
        const std::filesystem::path dir = std::filesystem::path(TOVRA_FUZZ_CORPUS_DIR) / k.dir;
        int inputs = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (!entry.is_regular_file()) continue;
            SCOPED_TRACE(entry.path().string());
            std::ifstream f(entry.path(), std::ios::binary);
            std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(f), {}};
            EXPECT_NO_THROW(k.target(bytes.data(), bytes.size()));
            // Every prefix of the hand-made inputs too: truncation is the commonest damage.
            // (The fuzzer's finds, named by their SHA-1, were cut at random already.)
            if (!IsFuzzerFind(entry.path().filename().string()))
                for (std::size_t n = 0; n < bytes.size() && n < 2048; ++n)
                    EXPECT_NO_THROW(k.target(bytes.data(), n));
            ++inputs;
        }
        EXPECT_GT(inputs, 2) << k.dir;
    }
}

}  // namespace
