#pragma once
// Bodies of the fuzz targets over the localisation readers, shared by the libFuzzer
// executables and by the test that replays the committed corpora. Each returns normally
// for any input: bad data may only raise the readers' own exceptions, which are caught.
#include <cstddef>
#include <cstdint>

namespace fuzz {

void FuzzTranslationReader(const uint8_t* Data, std::size_t Size);
void FuzzConstantsStream(const uint8_t* Data, std::size_t Size);
void FuzzLangDataReader(const uint8_t* Data, std::size_t Size);

}  // namespace fuzz
