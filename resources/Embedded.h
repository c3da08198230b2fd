#pragma once
// Resources compiled into the executable (tovra_embed). Link the `resources` object library
// directly into each executable, so the registrations are not dropped by the linker.
#include <cstddef>
#include <string_view>

namespace tovra::res {

struct Blob {
    const unsigned char* data;
    std::size_t size;
};

struct Registration {
    Registration(const char* name, const unsigned char* data, std::size_t size);
};

// Resource names compare ignoring ASCII case; nullptr when absent.
const Blob* find(std::string_view name);

}  // namespace tovra::res
